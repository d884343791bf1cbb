// Marks the contact store as refreshing its blocked list. Nothing is sent: the blocked state
// of each contact arrives with the roster.
// Created on the caller's thread, run and deleted on the request thread.
#pragma once

#include "engine/BaseCommand.h"

class RefreshIgnoreListCommand : public BaseCommand {
public:
    RefreshIgnoreListCommand();
    ~RefreshIgnoreListCommand() override;

    void executeCommand(unsigned long* result) override;
};
