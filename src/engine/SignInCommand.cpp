#include "engine/SignInCommand.h"

#include "engine/EngineAccess.h"
#include "engine/Reconnector.h"
#include "engine/RequestController.h"
#include "engine/StreamSessionStore.h"
#include "engine/UserId.h"
#include "xmpp/Connection.h"

SignInCommand::SignInCommand() = default;

SignInCommand::~SignInCommand() = default;

void SignInCommand::setInitialPresence(PresenceStatus* presence) { initialPresence_ = presence; }

PresenceStatus* SignInCommand::getInitialPresence() { return initialPresence_; }

void SignInCommand::setAccount(const IMString* user, const IMString* password)
{
    user_ = user != nullptr ? *user : IMString();
    password_ = password != nullptr ? *password : IMString();
}

void SignInCommand::setReconnecting(bool reconnecting) { reconnecting_ = reconnecting; }

void SignInCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    if (Connection* connection = EngineAccess::connection(getRequestController())) {
        Reconnector* reconnector = getRequestController()->GetReconnector();
        if (reconnecting_ && (reconnector == nullptr || !reconnector->isActive())) {
            return;
        }
        if (!reconnecting_) {
            prepareStreamSession(*connection);
        }
        connection->login(&user_, &password_);
    }
}

void SignInCommand::prepareStreamSession(Connection& connection)
{
    StreamSessionStore::restore(connection.streamManagement(), UserId::normalised(user_));
}
