#include "xmpp/PresenceManager.h"

#include "xmpp/Connection.h"
#include "xmpp/NotificationPoster.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/TextCopy.h"
#include "xmpp/XMLEscape.h"

#include <memory>

PresenceManager::PresenceManager(Connection* connection, RequestController* controller)
    : SubManager(connection), controller_(controller)
{
}

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
    askService(ServiceSupport::SHARED_STATUS, query);
}

// A server without the shared status cannot hide anyone: an invisible user there announces
// only being unavailable, whatever presence the session would otherwise send.
void PresenceManager::sendPresence(Presence::Type type)
{
    auto presence = new Presence();
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (type != Presence::Type::UNAVAILABLE && invisible_ && isRefused(ServiceSupport::SHARED_STATUS)) {
            type = Presence::Type::UNAVAILABLE;
        }
        if (type != Presence::Type::NONE) {
            presence->setPresenceType(type);
        }
        if (type != Presence::Type::UNAVAILABLE) {
            addStatus(*presence);
        }
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
    {
        std::lock_guard<std::mutex> guard(lock_);
        delete currentStatusMessage_;
        std::unique_ptr<IMString> kept(withinStatusMax(text));
        currentStatusText_ = kept != nullptr ? *kept : IMString();
        currentStatusMessage_ = XMLEscape::escape(kept.get());
        currentStatus_ = status;
        invisible_ = false;
    }
    sendChange();
}

void PresenceManager::restoreStatus(int status, const IMString& text, bool invisible)
{
    std::lock_guard<std::mutex> guard(lock_);
    IMString kept(text);
    delete currentStatusMessage_;
    currentStatusText_ = kept;
    currentStatusMessage_ = XMLEscape::escape(&kept);
    currentStatus_ = status;
    invisible_ = invisible;
    changed_ = true;
}

void PresenceManager::setInvisibleStatus(bool on)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        invisible_ = on;
    }
    sendChange();
}

void PresenceManager::sendChange()
{
    Packet* packet = nullptr;
    SharedStatusMessage* echo = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        changed_ = true;
        if (isRefused(ServiceSupport::SHARED_STATUS)) {
            packet = newStatusPresence();
            echo = newEcho();
        } else {
            packet = newSharedStatus();
        }
    }
    if (echo == nullptr) {
        askService(ServiceSupport::SHARED_STATUS, packet);
        return;
    }
    send(packet);
    NotificationPoster::post(controller_, NotificationPoster::SHARED_STATUS, echo);
}

// Without the server's answer the user's own status would stay unknown: the status the
// initial presence announced is reported instead.
void PresenceManager::sharedStatusRefused()
{
    SharedStatusMessage* echo = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!changed_) {
            echo = newEcho();
        }
    }
    if (echo == nullptr) {
        sendChange();
        return;
    }
    NotificationPoster::post(controller_, NotificationPoster::SHARED_STATUS, echo);
}

Presence* PresenceManager::newStatusPresence()
{
    auto presence = new Presence();
    if (invisible_) {
        presence->setPresenceType(Presence::Type::UNAVAILABLE);
        return presence;
    }
    addStatus(*presence);
    return presence;
}

void PresenceManager::addStatus(Presence& presence)
{
    presence.setPresenceStatus(showOf(currentStatus_));
    presence.setStatusMessage(TextCopy::of(currentStatusMessage_));
}

SharedStatusMessage* PresenceManager::newEcho()
{
    auto echo = new SharedStatusMessage();
    echo->setType(IQ::Type::RESULT);
    bool dnd = currentStatus_ == STATUS_BUSY;
    echo->setCurrentStatus(
        new IMString(dnd ? SharedStatusMessage::STATUS_DND : SharedStatusMessage::STATUS_DEFAULT));
    echo->setCurrentStatusMessage(new IMString(currentStatusText_));
    echo->setInvisible(invisible_);
    return echo;
}

void PresenceManager::setOfflineStatus() { sendPresence(Presence::Type::UNAVAILABLE); }

void PresenceManager::sendSubscriptionRequest(Presence::Type type, IMString* to)
{
    auto presence = new Presence();
    presence->setPresenceType(type);
    presence->setTo(TextCopy::of(to));
    send(presence);
}

// The surrogate pair a cut would split goes as a whole.
IMString* PresenceManager::withinStatusMax(IMString* text) const
{
    if (text == nullptr || statusMax_ <= 0 || text->GetLength() <= statusMax_) {
        return TextCopy::of(text);
    }
    int length = statusMax_;
    wchar_t last = text->charAt(length - 1);
    if (last >= 0xD800 && last <= 0xDBFF) {
        --length;
    }
    auto cut = new IMString();
    text->SubString(0, length, *cut);
    return cut;
}

void PresenceManager::takeServerStatus(SharedStatusMessage& shared)
{
    std::lock_guard<std::mutex> guard(lock_);
    defaultList_.setLimit(shared.getStatusListContentsMax());
    dndList_.setLimit(shared.getStatusListContentsMax());
    defaultList_.replace(shared.getDefaultStatusMessages());
    dndList_.replace(shared.getDndStatusMessages());
    if (shared.getStatusMax() > 0) {
        statusMax_ = shared.getStatusMax();
    }
    listsKnown_ = true;
}

void PresenceManager::mergeResource(Presence& presence)
{
    std::lock_guard<std::mutex> guard(lock_);
    resources_.merge(presence);
}

SharedStatusMessage* PresenceManager::newSharedStatus()
{
    bool dnd = currentStatus_ == STATUS_BUSY;
    if (currentStatusMessage_ != nullptr) {
        (dnd ? dndList_ : defaultList_).add(*currentStatusMessage_);
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
    if (listsKnown_) {
        message->setDefaultStatusMessages(defaultList_.copy());
        message->setDndStatusMessages(dndList_.copy());
    }
    return message;
}

void PresenceManager::clean()
{
    SubManager::clean();
    std::lock_guard<std::mutex> guard(lock_);
    dndList_.clear();
    defaultList_.clear();
    listsKnown_ = false;
    statusMax_ = 0;
    resources_.clear();
    delete currentStatusMessage_;
    currentStatusMessage_ = nullptr;
    currentStatusText_ = IMString();
    currentStatus_ = STATUS_AVAILABLE;
    invisible_ = false;
    changed_ = false;
}
