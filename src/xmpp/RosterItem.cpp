#include "xmpp/RosterItem.h"

#include "xmpp/OwnedField.h"
#include "xmpp/TypeTable.h"
#include "xmpp/XMLEscape.h"

namespace {

const char* const descriptionNames[] = {"P", "B", "H"};
const char* const typeNames[] = {"none", "to", "from", "both", "remove"};
const char* const statusNames[] = {"subscribe", "unsubscribe"};

}  // namespace

RosterItem::RosterItem() = default;

RosterItem::~RosterItem()
{
    delete userJID_;
    delete nickName_;
}

IMString* RosterItem::getXML()
{
    auto xml = new IMString("<item jid=\"");
    XMLEscape::append(*xml, userJID_);
    xml->Append("\" ");
    XMLEscape::appendField(*xml, "name=\"", nickName_, "\" ");
    if (itemType_ != Type::NOT_GIVEN) {
        xml->Append("subscription=\"");
        xml->Append(getRosterItemTypeString(itemType_));
        xml->Append("\" ");
    }
    if (description_ != Description::NONE) {
        xml->Append("gr:t=\"");
        xml->Append(getRosterItemDescriptionString(description_));
        xml->Append("\"");
    }
    xml->Append(">");
    for (const IMString& group : groups_) {
        XMLEscape::appendField(*xml, "<group>", &group, "</group>");
    }
    xml->Append("</item>");
    return xml;
}

IMString* RosterItem::getUserJID() { return userJID_; }

void RosterItem::setUserJID(IMString* jid) { OwnedField::replace(userJID_, jid); }

IMString* RosterItem::getNickName() { return nickName_; }

void RosterItem::setNickName(IMString* name) { OwnedField::replace(nickName_, name); }

RosterItem::Status RosterItem::getItemStatus() const { return itemStatus_; }

void RosterItem::setItemStatus(Status status) { itemStatus_ = status; }

RosterItem::Type RosterItem::getItemType() const { return itemType_; }

void RosterItem::setItemType(Type type) { itemType_ = type; }

RosterItem::Description RosterItem::getDescription() const { return description_; }

void RosterItem::setDescription(Description description) { description_ = description; }

bool RosterItem::isRejected() const { return rejected_; }

void RosterItem::setRejected(bool rejected) { rejected_ = rejected; }

bool RosterItem::isAutoSubscribed() const { return autoSubscribed_; }

void RosterItem::setAutoSubscribed(bool autoSubscribed) { autoSubscribed_ = autoSubscribed; }

int RosterItem::getEmailCount() const { return emailCount_; }

void RosterItem::setEmailCount(int count) { emailCount_ = count; }

int RosterItem::getMessageCount() const { return messageCount_; }

void RosterItem::setMessageCount(int count) { messageCount_ = count; }

const std::vector<IMString>& RosterItem::getGroups() const { return groups_; }

void RosterItem::addGroup(const IMString& group) { groups_.push_back(group); }

RosterItem::Description RosterItem::getRosterItemDescription(IMString* text)
{
    return static_cast<Description>(TypeTable::valueOf(text, descriptionNames, 3, 1, 0));
}

RosterItem::Type RosterItem::getRosterItemType(IMString* text)
{
    return static_cast<Type>(TypeTable::valueOf(text, typeNames, 5, 1, 0));
}

RosterItem::Status RosterItem::getRosterItemStatus(IMString* text)
{
    return static_cast<Status>(TypeTable::valueOf(text, statusNames, 2, 1, 0));
}

IMString RosterItem::getRosterItemDescriptionString(Description description)
{
    return TypeTable::textOf(static_cast<int>(description), descriptionNames, 3, 1);
}

IMString RosterItem::getRosterItemTypeString(Type type)
{
    return TypeTable::textOf(static_cast<int>(type), typeNames, 5, 1);
}

IMString RosterItem::getRosterItemStatusString(Status status)
{
    return TypeTable::textOf(static_cast<int>(status), statusNames, 2, 1);
}
