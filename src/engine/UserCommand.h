// The base of the commands that name one other user (allow and deny a subscription, block
// and unblock): the command owns its user name and sends for the completed form of it.
// Created on the caller's thread, run and deleted on the request thread.
#pragma once

#include "engine/BaseCommand.h"
#include "foundation/IMString.h"

class UserCommand : public BaseCommand {
public:
    UserCommand();
    ~UserCommand() override;

    UserCommand(const UserCommand&) = delete;
    UserCommand& operator=(const UserCommand&) = delete;

    // Keeps a copy of `user`; null leaves the command without a user.
    void setUsername(IMString* user);
    IMString* getUsername();

protected:
    // Takes `user`, deleting the previous one.
    void adoptUsername(IMString* user);
    // Completes the user name in place with the default domain; false when there is none.
    bool completeUsername();

private:
    IMString* username_ = nullptr;
};
