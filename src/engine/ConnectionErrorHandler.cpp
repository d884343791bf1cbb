#include "engine/ConnectionErrorHandler.h"

#include "engine/ArchivePoll.h"
#include "engine/EngineAccess.h"
#include "engine/Reconnector.h"
#include "engine/RequestController.h"
#include "engine/ResourceText.h"
#include "engine/ResponseDelegate.h"
#include "engine/StreamSessionStore.h"
#include "xmpp/Connection.h"

#include <memory>

ConnectionErrorHandler::ConnectionErrorHandler() = default;

ConnectionErrorHandler::~ConnectionErrorHandler() = default;

void ConnectionErrorHandler::handle(GtalkNotification* notification)
{
    std::unique_ptr<Ixa::Base::Object> attempt(notification != nullptr ? notification->getXMPPObject() : nullptr);
    if (notification != nullptr) {
        notification->setXMPPObject(nullptr);
    }
    Connection* connection = EngineAccess::connection(getRequestController());
    ResponseDelegate* delegate = getResponseDelegate();
    if (connection == nullptr || delegate == nullptr) {
        return;
    }
    Reconnector* reconnector = getRequestController()->GetReconnector();
    switch (connection->classifyLoss(attempt.get())) {
    case Connection::LossKind::STALE:
        return;
    case Connection::LossKind::SIGN_IN_FAILED: {
        connection->closeConnection();
        if (reconnector != nullptr && reconnector->isActive()) {
            reconnector->tryFailed();
            return;
        }
        IMString text = signInErrorText();
        delegate->OnSignInError(0, &text);
        return;
    }
    case Connection::LossKind::RESUME_REFUSED:
        connection->closeConnection();
        StreamSessionStore::forget(getRequestController());
        signInAgain(reconnector);
        return;
    case Connection::LossKind::REPLACED:
        connection->closeConnection();
        endForGood(reconnector, *delegate);
        delegate->OnServerInitiatedSignOut(nullptr);
        return;
    case Connection::LossKind::SESSION_LOST:
        connection->closeConnection();
        if (reconnector != nullptr) {
            reconnector->start();
        } else {
            delegate->OnConnectionLost();
        }
        return;
    }
}

// The stored session is gone, so the next sign-in binds a fresh one: no reason to wait.
void ConnectionErrorHandler::signInAgain(Reconnector* reconnector)
{
    if (reconnector != nullptr && reconnector->isActive()) {
        reconnector->tryFailed();
        reconnector->tryNow();
        return;
    }
    getRequestController()->SignIn(nullptr);
}

// Nothing of the session is to come back: what was typed meanwhile fails, the archive poll
// stops, and the kept session is not offered to the server again.
void ConnectionErrorHandler::endForGood(Reconnector* reconnector, ResponseDelegate& delegate)
{
    if (reconnector != nullptr) {
        reconnector->abandon(delegate);
    }
    if (ArchivePoll* poll = getRequestController()->GetArchivePoll()) {
        poll->stop();
    }
    StreamSessionStore::forget(getRequestController());
}

IMString ConnectionErrorHandler::signInErrorText()
{
    IMString text(" ");
    text.Append(ResourceText::text("IDS_SIGNIN_ERROR"));
    text.Append(". ");
    text.Append(ResourceText::text("IDS_NETWORK_NOT_AVAILABLE"));
    text.Append(".  ");
    return text;
}
