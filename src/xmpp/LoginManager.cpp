#include "xmpp/LoginManager.h"

#include "xmpp/Authentication.h"
#include "xmpp/Connection.h"
#include "xmpp/Constants.h"
#include "xmpp/ResourceBind.h"
#include "xmpp/Session.h"
#include "xmpp/Stream.h"
#include "xmpp/StreamAnswer.h"
#include "xmpp/StreamElement.h"
#include "xmpp/StreamManagement.h"

#include <algorithm>

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

// Servers list the session before or after the bind; each is noted once and asked for at the
// end of the features, in the order listed.
bool LoginManager::processResourceBind()
{
    if (phase_ != Phase::RESTARTING || std::count(offered_.begin(), offered_.end(), Feature::BIND) > 0) {
        return false;
    }
    offered_.push_back(Feature::BIND);
    return true;
}

bool LoginManager::processSession()
{
    if (phase_ != Phase::RESTARTING || std::count(offered_.begin(), offered_.end(), Feature::SESSION) > 0) {
        return false;
    }
    offered_.push_back(Feature::SESSION);
    return true;
}

bool LoginManager::offerStreamManagement()
{
    if (phase_ != Phase::RESTARTING) {
        return false;
    }
    streamManagementOffered_ = true;
    return true;
}

// The features before the authentication end here too, and are not this phase's.
bool LoginManager::onFeaturesEnd()
{
    Connection* connection = this->connection();
    if (phase_ != Phase::RESTARTING || connection == nullptr) {
        return false;
    }
    StreamManagement& streams = connection->streamManagement();
    if (streamManagementOffered_ && streams.canResume()) {
        phase_ = Phase::RESUMING;
        send(StreamElement::resume(streams.sessionId(), streams.resumeFrom()));
        return true;
    }
    // A session that cannot be resumed here (never resumable, or no longer offered) is over
    // as if the server had refused it: its unacknowledged chats go out on the new one.
    streams.resumeFailed(false, 0);
    startSession();
    return true;
}

// The packet only borrows the resource, and the send is done when send returns.
void LoginManager::startSession()
{
    Connection* connection = this->connection();
    if (connection == nullptr) {
        return;
    }
    phase_ = Phase::BINDING;
    IMString resource(Constants::RESOURCE);
    for (Feature feature : offered_) {
        if (feature == Feature::BIND) {
            connection->sendSignInStep(new ResourceBind(IQ::Type::SET, nullptr, &resource));
        } else {
            connection->sendSignInStep(new Session(IQ::Type::SET));
        }
    }
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
    connection->watchConnection();
    enableStreamManagement();
    connection->sessionReady();
    return true;
}

void LoginManager::enableStreamManagement()
{
    Connection* connection = this->connection();
    if (!streamManagementOffered_ || connection == nullptr) {
        return;
    }
    enableSent_ = true;
    send(StreamElement::enable());
    connection->streamManagement().enableSent();
}

bool LoginManager::onEnabled(const StreamAnswer& answer)
{
    Connection* connection = this->connection();
    if (phase_ != Phase::SIGNED_IN || !enableSent_ || connection == nullptr) {
        return false;
    }
    enableSent_ = false;
    connection->streamManagement().enabled(answer.id, answer.resumable, answer.stanzasRead);
    return true;
}

bool LoginManager::onResumed(const StreamAnswer& answer)
{
    Connection* connection = this->connection();
    if (phase_ != Phase::RESUMING || connection == nullptr) {
        return false;
    }
    phase_ = Phase::SIGNED_IN;
    connection->resendAfterResumption(answer);
    connection->sessionReady();
    connection->watchConnection();
    return true;
}

bool LoginManager::onStreamManagementFailed(const StreamAnswer& answer)
{
    Connection* connection = this->connection();
    if (connection == nullptr) {
        return false;
    }
    if (phase_ == Phase::RESUMING) {
        connection->streamManagement().resumeFailed(answer.hasCount, answer.count);
        startSession();
        return true;
    }
    if (phase_ == Phase::SIGNED_IN && enableSent_) {
        enableSent_ = false;
        connection->streamManagement().enableFailed();
        return true;
    }
    return false;
}

void LoginManager::onXMPPError() {}

void LoginManager::openStream() { send(new Stream(true)); }

LoginManager::Phase LoginManager::getPhase() const { return phase_; }
