#include "engine/SignOutCommand.h"

#include "engine/ArchivePoll.h"
#include "engine/EngineAccess.h"
#include "engine/Reconnector.h"
#include "engine/RequestController.h"
#include "engine/StreamSessionStore.h"
#include "engine/ResponseDelegate.h"
#include "xmpp/Connection.h"

SignOutCommand::SignOutCommand() = default;

SignOutCommand::~SignOutCommand() = default;

void SignOutCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    RequestController* controller = getRequestController();
    ResponseDelegate* delegate = EngineAccess::responseDelegate(controller);
    Reconnector* reconnector = controller->GetReconnector();
    if (reconnector != nullptr && delegate != nullptr) {
        reconnector->abandon(*delegate);
    }
    if (ArchivePoll* poll = controller->GetArchivePoll()) {
        poll->stop();
    }
    if (Connection* connection = EngineAccess::connection(controller)) {
        connection->logout();
        connection->setInitialLogin(true);
    }
    StreamSessionStore::forget(controller);
    if (delegate != nullptr) {
        delegate->OnSignOutSuccess();
    }
}
