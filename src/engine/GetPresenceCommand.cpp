#include "engine/GetPresenceCommand.h"

#include "engine/EngineAccess.h"
#include "xmpp/Connection.h"
#include "xmpp/VCardManager.h"

GetPresenceCommand::GetPresenceCommand() = default;

GetPresenceCommand::~GetPresenceCommand() = default;

void GetPresenceCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    RequestController* controller = getRequestController();
    Connection* connection = EngineAccess::connection(controller);
    if (connection == nullptr) {
        return;
    }
    connection->init();
    IMString own = EngineAccess::ownId(controller);
    VCardManager* vCards = EngineAccess::vCardManager(controller);
    if (!own.IsEmpty() && vCards != nullptr) {
        vCards->requestVCard(&own);
    }
}
