// Unblocks another user (removes them from the ignore list).
// Created on the caller's thread, run and deleted on the request thread; owns a copy of its
// user name.
#pragma once

#include "engine/BlockingCommand.h"

class UnignoreUserCommand : public BlockingCommand {
public:
    UnignoreUserCommand();
    ~UnignoreUserCommand() override;
};
