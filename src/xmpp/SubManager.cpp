#include "xmpp/SubManager.h"

#include "xmpp/Connection.h"

SubManager::SubManager(Connection* connection) : connection_(connection) {}

SubManager::~SubManager() = default;

void SubManager::clean() { connection_ = nullptr; }

Connection* SubManager::connection() const { return connection_; }

void SubManager::send(Packet* packet)
{
    unsigned long ignored = Ixa::E_SUCCESS;
    send(packet, &ignored);
}

void SubManager::send(Packet* packet, unsigned long* result)
{
    Connection* connection = connection_;
    if (connection != nullptr) {
        connection->sendPacket(packet, result);
    } else {
        delete packet;
    }
}

bool SubManager::askService(ServiceSupport::Extension extension, Packet* query)
{
    Connection* connection = connection_;
    if (connection == nullptr || connection->serviceSupport().isRefused(extension)) {
        delete query;
        return false;
    }
    connection->serviceSupport().asked(extension, query->getPacketID());
    send(query);
    return true;
}

bool SubManager::isRefused(ServiceSupport::Extension extension) const
{
    Connection* connection = connection_;
    return connection != nullptr && connection->serviceSupport().isRefused(extension);
}

bool SubManager::isSupported(ServiceSupport::Extension extension) const
{
    Connection* connection = connection_;
    return connection != nullptr && connection->serviceSupport().isSupported(extension);
}
