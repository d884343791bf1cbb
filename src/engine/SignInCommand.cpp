#include "engine/SignInCommand.h"

#include "engine/EngineAccess.h"
#include "engine/Reconnector.h"
#include "engine/RequestController.h"
#include "engine/UserId.h"
#include "store/PropertiesModel.h"
#include "xmpp/StreamManagement.h"

#include <cstdint>
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
    StreamManagement& streams = connection.streamManagement();
    streams.reset();
    IMString id;
    long long handled = 0;
    if (PropertiesModel::GetInstance()->GetStreamSession(UserId::normalised(user_), &id, &handled)) {
        streams.restore(id.ToUtf8(), static_cast<std::uint32_t>(handled));
    }
}
