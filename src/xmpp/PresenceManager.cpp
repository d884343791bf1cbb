#include "xmpp/PresenceManager.h"

#include "xmpp/Connection.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/TextCopy.h"
#include "xmpp/XMLEscape.h"

namespace {

bool contains(IMVector* list, IMString* text)
{
    for (int i = 0; i < list->size(); ++i) {
        Ixa::Base::Object* element = nullptr;
        list->getAt(i, element);
        if (static_cast<IMString*>(element)->Equals(*text, true)) {
            return true;
        }
    }
    return false;
}

}  // namespace

PresenceManager::PresenceManager(Connection* connection) : SubManager(connection) {}

PresenceManager::~PresenceManager() { clean(); }

void PresenceManager::init()
{
    Connection* connection = this->connection();
    if (connection == nullptr) {
        return;
    }
    auto query = new SharedStatusMessage();
    query->setType(IQ::Type::GET);
    query->setTo(connection->copyEmailID());
    send(query);
}

void PresenceManager::sendPresence(Presence::Type type)
{
    auto presence = new Presence();
    if (type != Presence::Type::NONE) {
        presence->setPresenceType(type);
    }
    if (type != Presence::Type::UNAVAILABLE) {
        std::lock_guard<std::mutex> guard(lock_);
        presence->setPresenceStatus(showOf(currentStatus_));
        presence->setStatusMessage(TextCopy::of(currentStatusMessage_));
    }
    send(presence);
}

Presence::Status PresenceManager::showOf(int status)
{
    switch (status) {
    case STATUS_BUSY:
        return Presence::Status::DND;
    case STATUS_AWAY:
        return Presence::Status::AWAY;
    case STATUS_EXTENDED_AWAY:
        return Presence::Status::XA;
    default:
        return Presence::Status::AVAILABLE;
    }
}

void PresenceManager::setOnlineStatus(IMString* text) { setStatus(STATUS_AVAILABLE, text); }

void PresenceManager::setBusyStatus(IMString* text) { setStatus(STATUS_BUSY, text); }

void PresenceManager::setStatus(int status, IMString* text)
{
    SharedStatusMessage* message = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        delete currentStatusMessage_;
        currentStatusMessage_ = XMLEscape::escape(text);
        currentStatus_ = status;
        invisible_ = false;
        message = newSharedStatus();
    }
    send(message);
}

void PresenceManager::setInvisibleStatus(bool on)
{
    SharedStatusMessage* message = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        invisible_ = on;
        message = newSharedStatus();
    }
    send(message);
}

void PresenceManager::setOfflineStatus() { sendPresence(Presence::Type::UNAVAILABLE); }

void PresenceManager::sendSubscriptionRequest(Presence::Type type, IMString* to)
{
    auto presence = new Presence();
    presence->setPresenceType(type);
    presence->setTo(TextCopy::of(to));
    send(presence);
}

SharedStatusMessage* PresenceManager::newSharedStatus()
{
    bool dnd = currentStatus_ == STATUS_BUSY;
    IMVector*& recent = dnd ? dndList_ : defaultList_;
    if (dndList_ == nullptr) {
        dndList_ = new IMVector();
    }
    if (defaultList_ == nullptr) {
        defaultList_ = new IMVector();
    }
    if (currentStatusMessage_ != nullptr && !contains(recent, currentStatusMessage_)) {
        recent->put(new IMString(*currentStatusMessage_));
        if (recent->size() > RECENT_MESSAGES) {
            recent->RemoveAt(0, true);
        }
    }
    auto message = new SharedStatusMessage();
    message->setType(IQ::Type::SET);
    message->setCurrentStatus(
        new IMString(dnd ? SharedStatusMessage::STATUS_DND : SharedStatusMessage::STATUS_DEFAULT));
    message->setCurrentStatusMessage(TextCopy::of(currentStatusMessage_));
    message->setInvisible(invisible_);
    if (Connection* connection = this->connection()) {
        message->setFrom(connection->copyUserJID());
        message->setTo(connection->copyEmailID());
    }
    message->setOwnsStatusLists(true);
    message->setDefaultStatusMessages(copyList(defaultList_));
    message->setDndStatusMessages(copyList(dndList_));
    return message;
}

IMVector* PresenceManager::copyList(IMVector* list)
{
    auto copy = new IMVector();
    for (int i = 0; i < list->size(); ++i) {
        Ixa::Base::Object* element = nullptr;
        list->getAt(i, element);
        copy->put(new IMString(*static_cast<IMString*>(element)));
    }
    return copy;
}

void PresenceManager::clean()
{
    SubManager::clean();
    std::lock_guard<std::mutex> guard(lock_);
    deleteList(dndList_);
    deleteList(defaultList_);
    delete currentStatusMessage_;
    currentStatusMessage_ = nullptr;
    currentStatus_ = STATUS_AVAILABLE;
    invisible_ = false;
}

void PresenceManager::deleteList(IMVector*& list)
{
    if (list != nullptr) {
        list->RemoveAll(true);
        delete list;
        list = nullptr;
    }
}
