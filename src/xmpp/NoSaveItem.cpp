#include "xmpp/NoSaveItem.h"

#include "xmpp/XMLEscape.h"

NoSaveItem::NoSaveItem(IMString* jid, bool state) : contactsJID_(jid), noSaveState_(state) {}

NoSaveItem::~NoSaveItem() { delete contactsJID_; }

IMString* NoSaveItem::getXML()
{
    auto xml = new IMString("<item xmlns=\"google:nosave\" jid=\"");
    XMLEscape::append(*xml, contactsJID_);
    xml->Append(noSaveState_ ? "\" value=\"enabled\"/>" : "\" value=\"disabled\"/>");
    return xml;
}

IMString* NoSaveItem::getContactsJID() { return contactsJID_; }

bool NoSaveItem::getNoSaveState() const { return noSaveState_; }
