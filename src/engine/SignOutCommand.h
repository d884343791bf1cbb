// Signs the user out: ends any reconnecting (messages held for it are reported failed),
// logs out (which also cuts a connect short, and marks a loss being
// handled meanwhile as no error), forgets the stream session (the server ended it too), makes
// the next login a first login again, and reports the sign-out to the controller's response
// delegate.
// Created on the caller's thread, run and deleted on the request thread.
#pragma once

#include "engine/BaseCommand.h"

class SignOutCommand : public BaseCommand {
public:
    SignOutCommand();
    ~SignOutCommand() override;

    void executeCommand(unsigned long* result) override;
};
