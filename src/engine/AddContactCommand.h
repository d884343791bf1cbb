// Invites another user to the user's contact list: a subscription request to the completed
// user name. The nick name and invitation text are kept with the request but not sent (the
// service takes neither). Without a user name nothing happens.
// Created on the caller's thread, run and deleted on the request thread; owns copies of all
// three strings.
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

    void executeCommand(unsigned long* result) override;

private:
    IMString nickName_;
    IMString message_;
};
