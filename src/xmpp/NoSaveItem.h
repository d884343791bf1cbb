// One contact's off-the-record setting in the service's no-save extension: the contact's id
// and whether its conversations are kept off the record. The id is escaped when written.
// Ownership: the item owns its id. Thread-safety: none.
#pragma once

#include "xmpp/SubPacket.h"

class NoSaveItem : public SubPacket {
public:
    NoSaveItem(IMString* jid, bool state);
    ~NoSaveItem() override;

    NoSaveItem(const NoSaveItem&) = delete;
    NoSaveItem& operator=(const NoSaveItem&) = delete;

    IMString* getXML() override;

    IMString* getContactsJID();
    bool getNoSaveState() const;

private:
    IMString* contactsJID_;
    bool noSaveState_;
};
