#include "engine/SubscriptionAnswerCommand.h"

#include "engine/EngineAccess.h"
#include "xmpp/PresenceManager.h"

SubscriptionAnswerCommand::SubscriptionAnswerCommand(Presence::Type answer) : answer_(answer) {}

SubscriptionAnswerCommand::~SubscriptionAnswerCommand() = default;

void SubscriptionAnswerCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    PresenceManager* presence = EngineAccess::presenceManager(getRequestController());
    if (completeUsername() && presence != nullptr) {
        presence->sendSubscriptionRequest(answer_, getUsername());
    }
}
