// Invites another user to the user's contact list: when a group was chosen, a roster set files
// the completed user name under it on the server first (so the group outlives this session),
// then the subscription request goes to that name. The nick name and invitation text are
// kept with the request but not sent (the service takes neither). Without a user name
// nothing happens.
// Created on the caller's thread, run and deleted on the request thread; owns copies of all
// four strings.
#pragma once

#include "engine/UserCommand.h"

class AddContactCommand : public UserCommand {
public:
    AddContactCommand();
    ~AddContactCommand() override;

    void setContactUsername(IMString* user);
    IMString* getContactUsername();
    void setContactNickName(IMString* nickName);
    const IMString& getContactNickName() const;
    void setMessage(IMString* text);
    const IMString& getMessage() const;
    // The group to file the contact under; empty for none.
    void setGroupName(const IMString& group);
    const IMString& getGroupName() const;

    void executeCommand(unsigned long* result) override;

private:
    IMString nickName_;
    IMString message_;
    IMString groupName_;
};
