#include "engine/StreamHandledHandler.h"

#include "engine/EngineAccess.h"
#include "engine/ReceivedBatch.h"
#include "engine/StreamSessionStore.h"
#include "xmpp/Connection.h"

bool StreamHandledHandler::joinsReceivedBatch() const { return true; }

void StreamHandledHandler::handlePayload(HandledCount& handled)
{
    ReceivedBatch* batch = getReceivedBatch();
    if (batch != nullptr && batch->isOpen()) {
        batch->holdUntilCommitted([this, count = handled.count, epoch = handled.epoch] { acknowledge(count, epoch); });
    } else {
        acknowledge(handled.count, handled.epoch);
    }
}

void StreamHandledHandler::acknowledge(std::uint32_t count, std::uint64_t epoch)
{
    RequestController* controller = getRequestController();
    ReceivedBatch* batch = getReceivedBatch();
    if (batch != nullptr && batch->acknowledgementsHeld()) {
        return;
    }
    Connection* connection = EngineAccess::connection(controller);
    if (connection == nullptr || !connection->acknowledgeHandled(count, epoch)) {
        return;
    }
    StreamSessionStore::save(controller, count);
}
