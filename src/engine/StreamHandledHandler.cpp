#include "engine/StreamHandledHandler.h"

#include "engine/EngineAccess.h"
#include "engine/StreamSessionStore.h"
#include "xmpp/Connection.h"

void StreamHandledHandler::handlePayload(HandledCount& handled)
{
    RequestController* controller = getRequestController();
    Connection* connection = EngineAccess::connection(controller);
    if (connection == nullptr || !connection->acknowledgeHandled(handled.count, handled.epoch)) {
        return;
    }
    StreamSessionStore::save(controller, handled.count);
}
