// Blocks another user (adds them to the ignore list). Unlike the other user commands it
// takes the string it is given rather than copying it.
// Created on the caller's thread, run and deleted on the request thread; owns its user name.
#pragma once

#include "engine/BlockingCommand.h"

class IgnoreUserCommand : public BlockingCommand {
public:
    IgnoreUserCommand();
    ~IgnoreUserCommand() override;

    // Takes `user`.
    void setUsername(IMString* user);
};
