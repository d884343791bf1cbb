#include "xmpp/RosterManager.h"

#include "xmpp/Connection.h"
#include "xmpp/Constants.h"
#include "xmpp/NewIQ.h"
#include "xmpp/Presence.h"
#include "xmpp/TextCopy.h"

#include <string>

RosterManager::RosterManager(Connection* connection) : SubManager(connection) {}

RosterManager::~RosterManager() = default;

void RosterManager::init()
{
    auto query = new Roster();
    query->setType(IQ::Type::GET);
    send(query);
}

void RosterManager::askBlockList()
{
    auto query = new BlockList(BlockList::Kind::LIST);
    query->setType(IQ::Type::GET);
    query->setPacketID(new IMString(("blocklist_" + std::to_string(++blockListQueries_)).c_str()));
    askService(ServiceSupport::BLOCKING, query);
}

void RosterManager::addContact(IMString* jid)
{
    auto presence = new Presence();
    presence->setPresenceType(Presence::Type::SUBSCRIBE);
    presence->setTo(TextCopy::of(jid));
    send(presence);
}

void RosterManager::deleteContact(IMString* jid)
{
    sendRosterWithOneContact(jid, RosterItem::Description::NONE, nullptr, RosterItem::Type::REMOVE);
}

void RosterManager::blockContact(IMString* jid, const RosterEntry& kept)
{
    if (!sendBlocking(BlockList::Kind::BLOCK, jid)) {
        sendKept(jid, RosterItem::Description::BLOCKED, kept);
    }
}

void RosterManager::unBlockContact(IMString* jid, const RosterEntry& kept)
{
    if (!sendBlocking(BlockList::Kind::UNBLOCK, jid)) {
        sendKept(jid, RosterItem::Description::NORMAL, kept);
    }
}

void RosterManager::renameContact(IMString* jid, IMString* name, const IMString& group)
{
    sendKept(jid, RosterItem::Description::NONE, {name != nullptr ? *name : IMString(), group});
}

void RosterManager::fileContact(IMString* jid, const IMString& group)
{
    RosterItem* item = itemFor(jid, RosterItem::Description::NONE, nullptr, RosterItem::Type::NOT_GIVEN);
    item->addGroup(group);
    sendSet(item);
}

void RosterManager::sendRosterWithOneContact(
    IMString* jid, RosterItem::Description description, IMString* name, RosterItem::Type type)
{
    sendSet(itemFor(jid, description, name, type));
}

// A new item is normal ("P"); the description and type change it only when given.
RosterItem* RosterManager::itemFor(
    IMString* jid, RosterItem::Description description, IMString* name, RosterItem::Type type)
{
    auto item = new RosterItem();
    if (description != RosterItem::Description::NONE) {
        item->setDescription(description);
    }
    item->setNickName(TextCopy::of(name));
    if (type != RosterItem::Type::NOT_GIVEN) {
        item->setItemType(type);
    }
    IMString* id = TextCopy::of(jid);
    if (id != nullptr) {
        id->ToLowerCase();
    }
    item->setUserJID(id);
    return item;
}

void RosterManager::sendKept(IMString* jid, RosterItem::Description description, const RosterEntry& kept)
{
    IMString name(kept.name);
    RosterItem* item = itemFor(jid, description, name.IsEmpty() ? nullptr : &name, RosterItem::Type::NOT_GIVEN);
    if (!kept.group.IsEmpty()) {
        item->addGroup(kept.group);
    }
    sendSet(item);
}

bool RosterManager::sendBlocking(BlockList::Kind kind, IMString* jid)
{
    if (jid == nullptr || !isSupported(ServiceSupport::BLOCKING)) {
        return false;
    }
    IMString id(*jid);
    id.ToLowerCase();
    auto command = new BlockList(kind);
    command->setType(IQ::Type::SET);
    command->addId(id);
    send(command);
    return true;
}

void RosterManager::sendSet(RosterItem* item)
{
    auto roster = new Roster();
    roster->setType(IQ::Type::SET);
    roster->addSubPacket(item);
    send(roster);
}

void RosterManager::processRoster(Roster* roster)
{
    Connection* connection = this->connection();
    if (roster->getType() == IQ::Type::RESULT || connection == nullptr) {
        return;
    }
    auto acknowledgement = new NewIQ();
    acknowledgement->setType(IQ::Type::RESULT);
    acknowledgement->setPacketID(TextCopy::of(roster->getPacketID()));
    acknowledgement->setTo(new IMString(Constants::DOMAIN));
    acknowledgement->setFrom(connection->copyUserJID());
    send(acknowledgement);
}
