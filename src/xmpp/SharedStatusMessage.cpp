#include "xmpp/SharedStatusMessage.h"

SharedStatusMessage::SharedStatusMessage() = default;

SharedStatusMessage::~SharedStatusMessage()
{
    delete currentStatus_;
    delete currentStatusMessage_;
    deleteList(defaultStatusMessages_);
    deleteList(dndStatusMessages_);
}

IMString* SharedStatusMessage::getDerivedXML()
{
    auto xml = new IMString("<query xmlns='google:shared-status' version='2'");
    if (getType() != Type::SET) {
        xml->Append("/>");
        return xml;
    }
    xml->Append(">");
    xml->Append("<status");
    if (currentStatusMessage_ != nullptr) {
        xml->Append(">");
        xml->Append(*currentStatusMessage_);
        xml->Append("</status>");
    } else {
        xml->Append("/>");
    }
    xml->Append("<show>");
    if (currentStatus_ != nullptr) {
        xml->Append(*currentStatus_);
    }
    xml->Append("</show>");
    appendStatusList(*xml, "<status-list show=\"default\">", defaultStatusMessages_);
    appendStatusList(*xml, "<status-list show=\"dnd\">", dndStatusMessages_);
    xml->Append("<invisible value=\"");
    xml->Append(invisible_ ? "true" : "false");
    xml->Append("\"/>");
    xml->Append("</query>");
    return xml;
}

void SharedStatusMessage::appendStatusList(IMString& xml, const char* opening, IMVector* messages)
{
    if (messages == nullptr) {
        return;
    }
    xml.Append(opening);
    for (int i = 0; i < messages->size(); ++i) {
        Ixa::Base::Object* element = nullptr;
        messages->getAt(i, element);
        xml.Append("<status>");
        if (auto text = dynamic_cast<IMString*>(element)) {
            xml.Append(*text);
        }
        xml.Append("</status>");
    }
    xml.Append("</status-list>");
}

IMString* SharedStatusMessage::getCurrentStatus() { return currentStatus_; }

void SharedStatusMessage::setCurrentStatus(IMString* status) { OwnedField::replace(currentStatus_, status); }

IMString* SharedStatusMessage::getCurrentStatusMessage() { return currentStatusMessage_; }

void SharedStatusMessage::setCurrentStatusMessage(IMString* message)
{
    OwnedField::replace(currentStatusMessage_, message);
}

IMVector* SharedStatusMessage::getDefaultStatusMessages() { return defaultStatusMessages_; }

void SharedStatusMessage::setDefaultStatusMessages(IMVector* messages)
{
    replaceList(defaultStatusMessages_, messages);
}

IMVector* SharedStatusMessage::getDndStatusMessages() { return dndStatusMessages_; }

void SharedStatusMessage::setDndStatusMessages(IMVector* messages) { replaceList(dndStatusMessages_, messages); }

bool SharedStatusMessage::isInvisible() const { return invisible_; }

void SharedStatusMessage::setInvisible(bool invisible) { invisible_ = invisible; }

void SharedStatusMessage::setOwnsStatusLists(bool owns) { ownsLists_ = owns; }

int SharedStatusMessage::getStatusMax() const { return statusMax_; }

void SharedStatusMessage::setStatusMax(int max) { statusMax_ = max; }

int SharedStatusMessage::getStatusListContentsMax() const { return statusListContentsMax_; }

void SharedStatusMessage::setStatusListContentsMax(int max) { statusListContentsMax_ = max; }

void SharedStatusMessage::replaceList(IMVector*& list, IMVector* messages)
{
    if (list != messages) {
        deleteList(list);
        list = messages;
    }
}

void SharedStatusMessage::deleteList(IMVector* list)
{
    if (ownsLists_ && list != nullptr) {
        list->RemoveAll(true);
        delete list;
    }
}
