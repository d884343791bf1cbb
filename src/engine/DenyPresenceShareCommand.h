// Refuses another user's subscription request: answers it with unsubscribed.
// Created on the caller's thread, run and deleted on the request thread; owns its user name.
#pragma once

#include "engine/SubscriptionAnswerCommand.h"

class DenyPresenceShareCommand : public SubscriptionAnswerCommand {
public:
    DenyPresenceShareCommand();
    ~DenyPresenceShareCommand() override;
};
