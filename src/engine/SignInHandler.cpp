#include "engine/SignInHandler.h"

#include "engine/EngineAccess.h"
#include "engine/FetchArchiveCommand.h"
#include "engine/ReceivedBatch.h"
#include "engine/Reconnector.h"
#include "engine/RefreshListCommand.h"
#include "engine/RequestController.h"
#include "engine/ResourceText.h"
#include "engine/ResponseDelegate.h"
#include "engine/SendChatCommand.h"
#include "engine/StreamSessionStore.h"
#include "store/ContactDAO.h"
#include "xmpp/Connection.h"

SignInHandler::SignInHandler() = default;

SignInHandler::~SignInHandler() = default;

void SignInHandler::handlePayload(IMHashMap& outcome)
{
    IMString key("isSignInSuccess");
    auto success = dynamic_cast<IMBoolean*>(outcome.get(&key));
    IMString resumedKey("isResumed");
    auto resumed = dynamic_cast<IMBoolean*>(outcome.get(&resumedKey));
    if (getResponseDelegate() == nullptr) {
        return;
    }
    if (success != nullptr && success->ToBool()) {
        succeeded(resumed != nullptr && resumed->ToBool());
    } else {
        failed();
    }
}

void SignInHandler::succeeded(bool resumed)
{
    RequestController* controller = getRequestController();
    if (Connection* connection = EngineAccess::connection(controller)) {
        connection->setInitialLogin(false);
    }
    if (ReceivedBatch* batch = getReceivedBatch()) {
        batch->signedIn();
    }
    Reconnector* reconnector = controller->GetReconnector();
    if (reconnector != nullptr) {
        reconnector->sessionStarted();
    }
    if (reconnector != nullptr && reconnector->isActive()) {
        reconnected(*reconnector, resumed);
        return;
    }
    ResponseDelegate* delegate = getResponseDelegate();
    IMString noName;
    delegate->OnMyDisplayNameChanged(&noName);
    delegate->OnClientPresenceUpdated(PresenceStatus(PresenceStatus::OFFLINE));
    delegate->OnSignInSuccess();
}

// A resumed session still has its roster and presence; a fresh one asks for them the way a
// first sign-in does, and the presence kept from before is forgotten first: a contact who went
// offline meanwhile sends nothing to say so. The screens redraw on the reconnected report, so
// they never show the old presence as current. Messages typed meanwhile go out after that, in
// the order typed.
void SignInHandler::reconnected(Reconnector& reconnector, bool resumed)
{
    RequestController* controller = getRequestController();
    std::vector<Message*> held = reconnector.finish();
    ContactDAO* contacts = controller->GetContactDAO();
    if (!resumed && contacts != nullptr) {
        contacts->ClearPresenceInfoForAllUsers();
    }
    getResponseDelegate()->OnReconnected();
    if (!resumed) {
        controller->SetInitialListReceived(false);
        controller->RestoreClientPresence();
        queue(new RefreshListCommand());
    } else {
        FetchArchiveCommand::resumeCatchUp(controller);
    }
    for (Message* message : held) {
        auto command = new SendChatCommand();
        command->setMessage(message);
        queue(command);
    }
}

void SignInHandler::queue(BaseCommand* command)
{
    RequestController* controller = getRequestController();
    command->setRequestController(controller);
    controller->addToCommandQueue(command);
}

// A refused password ends the reconnecting for good: what was typed meanwhile fails, and the
// session is not kept.
void SignInHandler::failed()
{
    RequestController* controller = getRequestController();
    Reconnector* reconnector = controller->GetReconnector();
    if (reconnector != nullptr && reconnector->isActive()) {
        reconnector->abandon(*getResponseDelegate());
        StreamSessionStore::forget(controller);
    }
    IMString text = ResourceText::text("IDS_CHECK_USERNAME_PASSWORD");
    text.Append(".  ");
    getResponseDelegate()->OnSignInError(0, &text);
}
