#include "xmpp/SettingsManager.h"

#include "xmpp/Connection.h"
#include "xmpp/UserSettings.h"

SettingsManager::SettingsManager(Connection* connection) : SubManager(connection) {}

SettingsManager::~SettingsManager() = default;

void SettingsManager::init()
{
    Connection* connection = this->connection();
    if (connection == nullptr) {
        return;
    }
    auto query = new UserSettings();
    query->setType(IQ::Type::GET);
    query->setTo(connection->copyEmailID());
    query->setFrom(connection->copyUserJID());
    askService(ServiceSupport::SETTINGS, query);
}
