// Allows another user to see the user's presence: answers the request with subscribed.
// Created on the caller's thread, run and deleted on the request thread; owns its user name.
#pragma once

#include "engine/SubscriptionAnswerCommand.h"

class AllowPresenceShareCommand : public SubscriptionAnswerCommand {
public:
    AllowPresenceShareCommand();
    ~AllowPresenceShareCommand() override;
};
