#include "engine/SignInCommand.h"

#include "engine/EngineAccess.h"
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

void SignInCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    if (Connection* connection = EngineAccess::connection(getRequestController())) {
        connection->login(&user_, &password_);
    }
}
