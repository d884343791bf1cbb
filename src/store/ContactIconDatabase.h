// The avatar table (icontable1 in "/Home/gtalkicons.db"): one row per contact id with the
// picture as a BLOB (the bytes between the buffer's position and its limit) and its avatar
// hash. Results are new records the caller owns; a closed table answers null or false.
// Threading and ownership: as StoreTable (ContactIconModel serialises it).
#pragma once

#include "store/ContactIcon.h"
#include "store/StoreTable.h"

class ContactIconDatabase : public StoreTable {
public:
    static const char* const dbLocation;
    static IMString getDBLocation();

    ContactIconDatabase();
    ~ContactIconDatabase() override;

    // Replaces picture and hash of the contact's row, or inserts one.
    bool SaveOrUpdate(ContactIcon* icon);
    // The stored record, its picture readable from position 0; null when there is none.
    ContactIcon* GetImage(const Ixa::Base::String& contactId);
    bool deleteContactIcon(ContactIcon* icon);
    bool DeleteAll();
    // Empties the table; the file stays.
    bool DeleteDatabase();

private:
    static ContactIcon* CreateIconObject(const Ixa::Io::DbEnumerator& row);
};
