#include "RecordingListener.h"

#include "xmpp/ArchiveFin.h"
#include "xmpp/ArchivedMessage.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/Presence.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/UserSettings.h"
#include "xmpp/VCard.h"

#include <memory>

namespace {

std::string Field(const char* name, IMString* value)
{
    return value != nullptr ? std::string(" ") + name + "=" + value->ToUtf8() : std::string();
}

std::string Number(const char* name, int value) { return std::string(" ") + name + "=" + std::to_string(value); }

std::string Texts(const char* name, IMVector* list)
{
    if (list == nullptr) {
        return std::string();
    }
    std::string text = std::string(" ") + name + "=[";
    for (int i = 0; i < list->size(); ++i) {
        Ixa::Base::Object* element = nullptr;
        list->getAt(i, element);
        text += (i > 0 ? "|" : "") + static_cast<IMString*>(element)->ToUtf8();
    }
    return text + "]";
}

std::string Flag(const char* name, IMBoolean* value)
{
    return value != nullptr ? std::string(" ") + name + "=" + (value->ToBool() ? "true" : "false") : std::string();
}

std::string DescribeIq(IQ* iq)
{
    IMString* id = iq->hasPacketID() ? iq->getPacketID() : nullptr;
    return Number("type", static_cast<int>(iq->getType())) + Field("id", id) + Field("from", iq->getFrom());
}

std::string DescribeError(XMPPError* error)
{
    if (error == nullptr) {
        return std::string();
    }
    return " error(" + Number("type", static_cast<int>(error->getType())) + Number("code", error->getCode()) +
           Field("text", error->getMessage()) + Texts("conditions", error->getConditions()) + ")";
}

std::string Describe(Ixa::Base::Object* object)
{
    if (object == nullptr) {
        return std::string();
    }
    if (auto text = dynamic_cast<IMString*>(object)) {
        return " " + text->ToUtf8();
    }
    if (auto presence = dynamic_cast<Presence*>(object)) {
        return Field("from", presence->getFrom()) + Field("to", presence->getTo()) +
               Number("type", static_cast<int>(presence->getPresenceType())) +
               Number("show", static_cast<int>(presence->getPresenceStatus())) +
               Field("status", presence->getStatusMessage()) + Number("priority", presence->getPriority()) +
               Field("photo", presence->getAvatarHash());
    }
    if (auto message = dynamic_cast<MessagePacket*>(object)) {
        return Field("from", message->getFrom()) + Number("type", static_cast<int>(message->getMessageType())) +
               Field("subject", message->getSubject()) + Field("body", message->getBody()) +
               Field("thread", message->getThread()) + DescribeError(message->getError());
    }
    if (auto roster = dynamic_cast<Roster*>(object)) {
        std::string text = DescribeIq(roster);
        IMVector* items = roster->getSubPackets();
        for (int i = 0; i < items->size(); ++i) {
            Ixa::Base::Object* element = nullptr;
            items->getAt(i, element);
            auto item = static_cast<RosterItem*>(element);
            text += " item(" + Field("jid", item->getUserJID()) + Field("name", item->getNickName()) +
                    Number("sub", static_cast<int>(item->getItemType())) +
                    Number("ask", static_cast<int>(item->getItemStatus())) +
                    Number("kind", static_cast<int>(item->getDescription())) + ")";
        }
        return text;
    }
    if (auto vCard = dynamic_cast<VCard*>(object)) {
        std::unique_ptr<Ixa::Base::ByteBuffer> picture(vCard->getUserAvatarData());
        return DescribeIq(vCard) + Number("picture", picture != nullptr ? picture->GetLimit() : -1);
    }
    if (auto settings = dynamic_cast<UserSettings*>(object)) {
        return DescribeIq(settings) + Flag("accept", settings->isAutoAcceptSuggestions()) +
               Flag("mail", settings->isGmailNotifications()) + Flag("archive", settings->isArchivingEnabled()) +
               Field("name", settings->getDisplayName());
    }
    if (auto status = dynamic_cast<SharedStatusMessage*>(object)) {
        return DescribeIq(status) + Field("show", status->getCurrentStatus()) +
               Field("status", status->getCurrentStatusMessage()) +
               Texts("default", status->getDefaultStatusMessages()) + Texts("dnd", status->getDndStatusMessages()) +
               Number("invisible", status->isInvisible() ? 1 : 0);
    }
    if (auto archived = dynamic_cast<ArchivedMessage*>(object)) {
        return Field("source", archived->getSource()) + Field("queryid", archived->getQueryId()) +
               Field("archiveid", archived->getArchiveId()) + Field("stamp", archived->getStamp()) + " message(" +
               Describe(archived->getMessage()) + ")";
    }
    if (auto fin = dynamic_cast<ArchiveFin*>(object)) {
        return DescribeIq(fin) + Number("complete", fin->isComplete() ? 1 : 0) + Field("last", fin->getLast());
    }
    return " (unknown object)";
}

}  // namespace

RecordingListener::RecordingListener() = default;

RecordingListener::~RecordingListener()
{
    for (const Event& event : events_) {
        delete event.object;
    }
}

void RecordingListener::onEvent(Ixa::Base::Object* object, int event)
{
    std::lock_guard<std::mutex> guard(lock_);
    events_.push_back({event, object});
}

std::vector<int> RecordingListener::codes() const
{
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<int> codes;
    for (const Event& event : events_) {
        codes.push_back(event.code);
    }
    return codes;
}

std::size_t RecordingListener::count() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return events_.size();
}

std::string RecordingListener::describe() const
{
    std::lock_guard<std::mutex> guard(lock_);
    std::string text;
    for (const Event& event : events_) {
        text += std::to_string(event.code) + Describe(event.object) + "\n";
    }
    return text;
}
