#include "xmpp/LoginManager.h"

#include "xmpp/Connection.h"
#include "xmpp/Constants.h"
#include "xmpp/ResourceBind.h"
#include "xmpp/Session.h"
#include "xmpp/Stream.h"

LoginManager::LoginManager(Connection* connection) : SubManager(connection) {}

LoginManager::~LoginManager() = default;

void LoginManager::onAuthenticationSuccess()
{
    if (Connection* connection = this->connection()) {
        connection->setState(Connection::STATE_AUTHENTICATED);
    }
    openStream();
}

void LoginManager::onAuthenticationFailed()
{
    if (Connection* connection = this->connection()) {
        connection->setState(ConnectionLossListener::SIGN_IN_FAILED);
        connection->stopXMPPThread();
        connection->closeConnection();
    }
}

// The packet only borrows the resource, and the send is done when send returns.
void LoginManager::processResourceBind()
{
    IMString resource(Constants::RESOURCE);
    send(new ResourceBind(IQ::Type::SET, nullptr, &resource));
}

void LoginManager::processSession() { send(new Session(IQ::Type::SET)); }

void LoginManager::setJID(IMString* jid)
{
    if (Connection* connection = this->connection()) {
        connection->setUserJID(jid);
    } else {
        delete jid;
    }
}

void LoginManager::onXMPPError() {}

void LoginManager::openStream() { send(new Stream(true)); }
