#include "engine/AllowPresenceShareCommand.h"

AllowPresenceShareCommand::AllowPresenceShareCommand() : SubscriptionAnswerCommand(Presence::Type::SUBSCRIBED) {}

AllowPresenceShareCommand::~AllowPresenceShareCommand() = default;
