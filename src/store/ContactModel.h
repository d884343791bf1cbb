// The process-wide contact store ("ContactModel"): every read goes to the table and answers
// new objects the caller owns; nothing is cached and nothing is notified here (whoever
// changes the store notifies). Operations answer their empty result (null, false, -1 for
// counts) while the table is closed or the lock is missing; operations taking an id or a
// group name answer it at once for an empty one.
// A roster merge runs as one batch: BeginBatch(), SaveOrUpdate for every item, EndBatch().
// Threading: safe from any thread; the model's lock serialises every table call. The two
// refreshing flags are atomic. Ownership: see StoreModel.
#pragma once

#include "store/ContactDAO.h"
#include "store/ContactDatabase.h"
#include "store/StoreModel.h"

class ContactModel : public StoreModel<ContactModel, ContactDatabase>, public ContactDAO {
public:
    static const char* const modelName;

    ~ContactModel() override;

    IMString getModelName() const override;

    virtual Ixa::Base::Collection::ArrayList* GetSortedContactsByPresenceInGroup(
        int presence, const Ixa::Base::String& group);
    virtual int GetNumOfContactsInGroup(const Ixa::Base::String& group);
    virtual int GetNumOfOnlineContactsInGroup(const Ixa::Base::String& group);
    // A new empty contact.
    Contact* CreateContact() override;
    // A new contact with the fields of `source` except device type and has-avatar.
    Contact* CreateContact(Contact* source) override;
    // Ignored for a null contact or an empty contact id.
    void SaveOrUpdate(Contact* contact) override;
    Contact* GetContactById(const IMString& id) override;
    Contact* GetContactByUsername(const IMString& name) override;
    Ixa::Base::Collection::ArrayList* GetAllContacts() override;
    // Removes the contact's row only.
    bool DeleteContactCascading(Contact* contact) override;
    void BeginContactListRefresh() override;
    // Both clear the contact-list flag and then remove the rows marked deleted.
    void OnContactListRefreshed() override;
    void OnContactListRefreshFailed(int code, const IMString& text) override;
    void BeginBlockedListRefresh() override;
    void OnBlockedListRefreshed() override;
    void OnBlockedListRefreshFailed(int code, const IMString& text) override;
    virtual Ixa::Base::Collection::ArrayList* GetAllSortedContactsInGroup(
        const Ixa::Base::String& group, bool includeOffline);
    virtual Ixa::Base::Collection::ArrayList* GetAllContactsStartingWith(
        const Ixa::Base::String& text, bool includeOffline);
    // Empties the table; the file stays.
    virtual bool DeleteDatabase();
    bool ReSetColumn(bool deletedColumn, int value) override;
    bool DeleteContactsDeletedFromServer() override;
    bool ClearPresenceInfoForAllUsers() override;

    bool GetContactListRefreshing() const;
    bool GetBlockedListRefreshing() const;
    void BeginListsRrefresh(bool blocked, bool contacts);
    void OnListsRefreshed(bool blocked, bool contacts);
    Ixa::Base::Collection::ArrayList* GetAllBlockedContacts();
    int GetNumBlockedContacts();
    int GetNumContacts();
    Ixa::Base::Collection::ArrayList* GetContactsByGroupName(Ixa::Base::String& group);

private:
    friend class StoreModel<ContactModel, ContactDatabase>;
    ContactModel();

    std::atomic<bool> contactListRefreshing_{false};
    std::atomic<bool> blockedListRefreshing_{false};
};
