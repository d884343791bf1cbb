#include "engine/SignInHandler.h"

#include "engine/EngineAccess.h"
#include "engine/ResourceText.h"
#include "engine/ResponseDelegate.h"
#include "xmpp/Connection.h"

SignInHandler::SignInHandler() = default;

SignInHandler::~SignInHandler() = default;

void SignInHandler::handlePayload(IMHashMap& outcome)
{
    IMString key("isSignInSuccess");
    auto success = dynamic_cast<IMBoolean*>(outcome.get(&key));
    if (getResponseDelegate() == nullptr) {
        return;
    }
    if (success != nullptr && success->ToBool()) {
        succeeded();
    } else {
        failed();
    }
}

void SignInHandler::succeeded()
{
    if (Connection* connection = EngineAccess::connection(getRequestController())) {
        connection->setInitialLogin(false);
    }
    ResponseDelegate* delegate = getResponseDelegate();
    IMString noName;
    delegate->OnMyDisplayNameChanged(&noName);
    delegate->OnClientPresenceUpdated(PresenceStatus(PresenceStatus::OFFLINE));
    delegate->OnSignInSuccess();
}

void SignInHandler::failed()
{
    IMString text = ResourceText::text("IDS_CHECK_USERNAME_PASSWORD");
    text.Append(".  ");
    getResponseDelegate()->OnSignInError(0, &text);
}
