#include "xmpp/Presence.h"

#include "xmpp/TypeTable.h"

#include <climits>

namespace {

const char* const typeNames[] = {"available", "unavailable", "subscribe", "subscribed", "unsubscribe", "unsubscribed",
                                 "probe", "error"};
const char* const statusNames[] = {"available", "away", "chat", "dnd", "xa"};

}  // namespace

Presence::Presence() = default;

Presence::~Presence()
{
    delete statusMessage_;
    delete xmlLang_;
    delete avatarHash_;
}

IMString* Presence::getXML()
{
    auto xml = new IMString("<presence");
    appendStanzaAttributes(*xml, xmlLang_);
    if (static_cast<int>(type_) > static_cast<int>(Type::AVAILABLE)) {
        xml->Append(" type=\"");
        xml->Append(getPresenceTypeString(type_));
        xml->Append("\"");
    }
    xml->Append(">");
    if (statusMessage_ != nullptr) {
        xml->Append("<status>");
        xml->Append(*statusMessage_);
        xml->Append("</status>");
    }
    if (priority_ != INT_MIN) {
        xml->Append("<priority>");
        xml->Append(priority_);
        xml->Append("</priority>");
    }
    if (static_cast<int>(status_) > static_cast<int>(Status::AVAILABLE)) {
        xml->Append("<show>");
        xml->Append(getPresenceStatusString(status_));
        xml->Append("</show>");
    }
    appendSubPacketsXML(*xml);
    xml->Append("</presence>");
    return xml;
}

Presence::Type Presence::getPresenceType() const { return type_; }

void Presence::setPresenceType(Type type) { type_ = type; }

Presence::Status Presence::getPresenceStatus() const { return status_; }

void Presence::setPresenceStatus(Status status) { status_ = status; }

IMString* Presence::getStatusMessage() { return statusMessage_; }

void Presence::setStatusMessage(IMString* message) { OwnedField::replace(statusMessage_, message); }

int Presence::getPriority() const { return priority_; }

void Presence::setPrioriy(int priority) { priority_ = priority; }

IMString* Presence::getXmlLang() { return xmlLang_; }

void Presence::setXmlLang(IMString* xmlLang) { OwnedField::replace(xmlLang_, xmlLang); }

IMString* Presence::getAvatarHash() { return avatarHash_; }

void Presence::setAvatarHash(IMString* hash) { OwnedField::replace(avatarHash_, hash); }

Presence::Type Presence::getPresenceType(IMString* text)
{
    return static_cast<Type>(TypeTable::valueOf(text, typeNames, 8, 1, static_cast<int>(Type::UNKNOWN)));
}

Presence::Status Presence::getPresenceStatus(IMString* text)
{
    return static_cast<Status>(TypeTable::valueOf(text, statusNames, 5, 1, static_cast<int>(Status::UNKNOWN)));
}

IMString Presence::getPresenceTypeString(Type type)
{
    return TypeTable::textOf(static_cast<int>(type), typeNames, 8, 1);
}

IMString Presence::getPresenceStatusString(Status status)
{
    return TypeTable::textOf(static_cast<int>(status), statusNames, 5, 1);
}
