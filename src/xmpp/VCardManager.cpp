#include "xmpp/VCardManager.h"

#include "xmpp/VCard.h"

VCardManager::VCardManager(Connection* connection) : SubManager(connection) {}

VCardManager::~VCardManager() = default;

void VCardManager::requestVCard(IMString* jid)
{
    auto request = new VCard();
    request->setType(IQ::Type::GET);
    request->setTo(jid != nullptr ? new IMString(*jid) : nullptr);
    send(request);
}
