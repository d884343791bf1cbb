#include "xmpp/LoginManager.h"

#include "xmpp/Authentication.h"
#include "xmpp/Connection.h"
#include "xmpp/Constants.h"
#include "xmpp/ResourceBind.h"
#include "xmpp/Session.h"
#include "xmpp/Stream.h"

LoginManager::LoginManager(Connection* connection) : SubManager(connection) {}

LoginManager::~LoginManager() = default;

void LoginManager::authenticate(IMString* userName, IMString* password)
{
    if (phase_ != Phase::CONNECTING) {
        return;
    }
    phase_ = Phase::AUTHENTICATING;
    openStream();
    send(new Authentication(userName, password));
}

bool LoginManager::onAuthenticationSuccess()
{
    if (phase_ != Phase::AUTHENTICATING) {
        return false;
    }
    phase_ = Phase::RESTARTING;
    if (Connection* connection = this->connection()) {
        connection->setState(Connection::STATE_AUTHENTICATED);
    }
    openStream();
    return true;
}

bool LoginManager::onAuthenticationFailed()
{
    if (phase_ != Phase::AUTHENTICATING) {
        return false;
    }
    phase_ = Phase::FAILED;
    if (Connection* connection = this->connection()) {
        connection->setState(ConnectionLossListener::SIGN_IN_FAILED);
        connection->stopXMPPThread();
        connection->closeConnection();
    }
    return true;
}

// The packet only borrows the resource, and the send is done when send returns.
bool LoginManager::processResourceBind()
{
    if (phase_ != Phase::RESTARTING && phase_ != Phase::STARTING_SESSION) {
        return false;
    }
    phase_ = Phase::BINDING;
    IMString resource(Constants::RESOURCE);
    send(new ResourceBind(IQ::Type::SET, nullptr, &resource));
    return true;
}

// Servers list the session before or after the bind; it is asked for once, either way.
bool LoginManager::processSession()
{
    if (sessionRequested_ || (phase_ != Phase::RESTARTING && phase_ != Phase::BINDING)) {
        return false;
    }
    sessionRequested_ = true;
    if (phase_ == Phase::RESTARTING) {
        phase_ = Phase::STARTING_SESSION;
    }
    send(new Session(IQ::Type::SET));
    return true;
}

bool LoginManager::setJID(IMString* jid)
{
    Connection* connection = this->connection();
    if (phase_ != Phase::BINDING || connection == nullptr) {
        delete jid;
        return false;
    }
    phase_ = Phase::SIGNED_IN;
    connection->setUserJID(jid);
    return true;
}

void LoginManager::onXMPPError() {}

void LoginManager::openStream() { send(new Stream(true)); }

LoginManager::Phase LoginManager::getPhase() const { return phase_; }
