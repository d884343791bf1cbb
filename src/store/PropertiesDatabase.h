// The properties table (PropertiesTable1 in "/Home/gtalkprop.db"): at most one row, the whole
// set of account settings. The password column holds the password only while save-password
// is on; otherwise it is written empty, and since deleted rows are overwritten and the
// write-ahead log is emptied after every write, no earlier copy stays on disk either.
// A second table beside it (StoresHolderTable) names the account whose data the other stores
// hold, and a third the stream session a later run may resume.
// Threading and ownership: as StoreTable (PropertiesModel serialises it).
#pragma once

#include "store/Properties.h"
#include "store/StoreTable.h"

class PropertiesDatabase : public StoreTable {
public:
    static const char* const dbLocation;
    static IMString getDBLocation();

    PropertiesDatabase();
    ~PropertiesDatabase() override;

    // Empties both tables; the file stays.
    bool DeleteDatabase();
    // Replaces the stored set by `properties` in one transaction: on failure the previous
    // set stays.
    bool SaveProperties(Properties* properties);
    // A new set read from the row, or holding the defaults when there is none (or the table
    // is closed).
    Properties* GetSavedProperties();
    bool DeleteAll();
    // A new string naming the stores' holder; null when none was ever recorded.
    IMString* GetStoresHolder();
    bool SaveStoresHolder(const Ixa::Base::String& account);
    // The account's resumable stream session: its id and how many of the server's stanzas
    // were handled. False when none is stored for the account.
    bool GetStreamSession(const Ixa::Base::String& account, Ixa::Base::String* id, long long* handled);
    // Replaces the stored session (there is at most one); an empty id only forgets it.
    bool SaveStreamSession(const Ixa::Base::String& account, const Ixa::Base::String& id, long long handled);

private:
    bool EmptyLog();
    static Properties* CreatePropertiesObject(const Ixa::Io::DbEnumerator& row);
};
