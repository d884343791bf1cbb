#include "engine/DenyPresenceShareCommand.h"

DenyPresenceShareCommand::DenyPresenceShareCommand() : SubscriptionAnswerCommand(Presence::Type::UNSUBSCRIBED) {}

DenyPresenceShareCommand::~DenyPresenceShareCommand() = default;
