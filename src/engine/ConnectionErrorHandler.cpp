#include "engine/ConnectionErrorHandler.h"

#include "engine/EngineAccess.h"
#include "engine/ResourceText.h"
#include "engine/ResponseDelegate.h"
#include "xmpp/Connection.h"

ConnectionErrorHandler::ConnectionErrorHandler() = default;

ConnectionErrorHandler::~ConnectionErrorHandler() = default;

void ConnectionErrorHandler::handle(GtalkNotification* notification)
{
    if (notification != nullptr) {
        delete notification->getXMPPObject();
        notification->setXMPPObject(nullptr);
    }
    Connection* connection = EngineAccess::connection(getRequestController());
    ResponseDelegate* delegate = getResponseDelegate();
    if (connection == nullptr || delegate == nullptr) {
        return;
    }
    if (connection->isInitialLogin()) {
        connection->closeConnection();
        IMString text = signInErrorText();
        delegate->OnSignInError(0, &text);
    } else {
        connection->setInitialLogin(true);
        connection->closeConnection();
        delegate->OnConnectionLost();
    }
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
