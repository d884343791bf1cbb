// Answers another user's subscription request with a presence of the given type (subscribed
// to allow, unsubscribed to deny), sent to the completed user name.
// Created on the caller's thread, run and deleted on the request thread; owns its user name.
#pragma once

#include "engine/UserCommand.h"
#include "xmpp/Presence.h"

class SubscriptionAnswerCommand : public UserCommand {
public:
    explicit SubscriptionAnswerCommand(Presence::Type answer);
    ~SubscriptionAnswerCommand() override;

    void executeCommand(unsigned long* result) override;

private:
    Presence::Type answer_;
};
