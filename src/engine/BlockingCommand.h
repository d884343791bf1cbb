// Blocks or unblocks another user: a roster set of one item for the completed user name
// with the contact kind "blocked" or "normal", or the standard blocking command's block or
// unblock when the server has it (RosterManager decides). Without a user name the result is
// the failure value and nothing is sent. The blocked state comes back with the server's push.
// Created on the caller's thread, run and deleted on the request thread; owns its user name.
#pragma once

#include "engine/UserCommand.h"

class BlockingCommand : public UserCommand {
public:
    explicit BlockingCommand(bool block);
    ~BlockingCommand() override;

    void executeCommand(unsigned long* result) override;

private:
    bool block_;
};
