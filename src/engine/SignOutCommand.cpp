#include "engine/SignOutCommand.h"

#include "engine/EngineAccess.h"
#include "engine/ResponseDelegate.h"
#include "xmpp/Connection.h"

SignOutCommand::SignOutCommand() = default;

SignOutCommand::~SignOutCommand() = default;

void SignOutCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    RequestController* controller = getRequestController();
    if (Connection* connection = EngineAccess::connection(controller)) {
        connection->logout();
        connection->setInitialLogin(true);
    }
    if (ResponseDelegate* delegate = EngineAccess::responseDelegate(controller)) {
        delegate->OnSignOutSuccess();
    }
}
