#include "engine/BlockingCommand.h"

#include "engine/EngineAccess.h"
#include "xmpp/RosterManager.h"

BlockingCommand::BlockingCommand(bool block) : block_(block) {}

BlockingCommand::~BlockingCommand() = default;

void BlockingCommand::executeCommand(unsigned long* result)
{
    if (!completeUsername()) {
        *result = Ixa::E_FAILURE;
        return;
    }
    *result = Ixa::E_SUCCESS;
    if (RosterManager* roster = EngineAccess::rosterManager(getRequestController())) {
        const RosterEntry kept = EngineAccess::storedEntry(getRequestController(), *getUsername());
        if (block_) {
            roster->blockContact(getUsername(), kept);
        } else {
            roster->unBlockContact(getUsername(), kept);
        }
    }
}
