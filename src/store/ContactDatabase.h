// The contact table (ContactTable1 in "/Home/gtalkcontacts.db"): one row per contact id,
// kept unique because every write goes through SaveOrUpdate. Lists are new ArrayLists of new
// Contacts, owned by the caller with their contacts; single lookups are new Contacts or null.
// Sorted lists are ordered by display name, ignoring ASCII case. While the table is closed
// every operation answers false, null, or -1 for the counts.
// Threading and ownership: as StoreTable (ContactModel serialises it).
#pragma once

#include "store/Contact.h"
#include "store/StoreTable.h"

class ContactDatabase : public StoreTable {
public:
    static const char* const dbLocation;
    static IMString getDBLocation();

    ContactDatabase();
    ~ContactDatabase() override;

    // Updates the contact's row, or inserts one when there is none; the display name is the
    // nick name, or the user name when the nick name is empty.
    bool SaveOrUpdate(Contact* contact);
    bool DeleteContact(Contact* contact);
    bool DeleteAll();
    // Empties the table; the file stays.
    bool DeleteDatabase();
    Contact* GetContactById(const IMString& id);
    Contact* GetContactByUsername(const IMString& name);
    Ixa::Base::Collection::ArrayList* GetContactsByGroupName(const Ixa::Base::String& group);
    Ixa::Base::Collection::ArrayList* GetAllContacts();
    int GetNumContacts();
    int GetNumBlockedContacts();
    Ixa::Base::Collection::ArrayList* GetAllBlockedContacts();
    Ixa::Base::Collection::ArrayList* GetSortedContactsByPresenceInGroup(int presence, const Ixa::Base::String& group);
    // Available, busy, away, and with `includeOffline` offline and never-seen contacts of the
    // group, each block by display name.
    Ixa::Base::Collection::ArrayList* GetAllSortedContactsInGroup(const Ixa::Base::String& group, bool includeOffline);
    int GetNumOfContactsInGroup(const Ixa::Base::String& group);
    int GetNumOfOnlineContactsInGroup(const Ixa::Base::String& group);
    // Contacts of the presence whose user name or display name contains `text` anywhere,
    // case-insensitively; "%" and "_" in `text` are plain characters.
    Ixa::Base::Collection::ArrayList* GetSearchedSortedContactsByPresence(int presence, const Ixa::Base::String& text);
    // The same blocks as GetAllSortedContactsInGroup over all groups, for a search.
    Ixa::Base::Collection::ArrayList* GetAllContactsStartingWith(const Ixa::Base::String& text, bool includeOffline);
    // Sets the is-deleted (true) or the is-blocked (false) column of every row to `value`.
    bool ReSetColumn(bool deletedColumn, int value);
    bool DeleteContactsDeletedFromServer();
    // Online presences (0, 2, 999) become offline and not busy; never-seen rows stay.
    bool ClearPresenceInfoForAllUsers();

private:
    using ListQuery = Ixa::Base::Collection::ArrayList* (ContactDatabase::*)(int, const Ixa::Base::String&);

    static Contact* CreateContactObject(const Ixa::Io::DbEnumerator& row);
    static SqlParameters BindValues(Contact* contact);
    Ixa::Base::Collection::ArrayList* ConcatenateByPresence(
        ListQuery query, const Ixa::Base::String& argument, bool includeOffline);
    Ixa::Base::Collection::ArrayList* ContactList(const char* sql, const SqlParameters& values);
};
