// The contact store as the protocol engine sees it. Results are owned by the caller.
// Threading: implementations are safe from the request and the response thread.
// Not deletable through this interface: the model owns its own lifetime.
#pragma once

#include "foundation/IMString.h"
#include "platform/ArrayList.h"
#include "store/Contact.h"

class ContactDAO {
public:
    virtual Contact* CreateContact() = 0;
    virtual Contact* CreateContact(Contact* source) = 0;
    virtual void SaveOrUpdate(Contact* contact) = 0;
    virtual Contact* GetContactById(const IMString& id) = 0;
    virtual Contact* GetContactByUsername(const IMString& name) = 0;
    virtual Ixa::Base::Collection::ArrayList* GetAllContacts() = 0;
    virtual bool DeleteContactCascading(Contact* contact) = 0;
    virtual void BeginContactListRefresh() = 0;
    virtual void OnContactListRefreshed() = 0;
    virtual void OnContactListRefreshFailed(int code, const IMString& text) = 0;
    virtual void BeginBlockedListRefresh() = 0;
    virtual void OnBlockedListRefreshed() = 0;
    virtual void OnBlockedListRefreshFailed(int code, const IMString& text) = 0;
    virtual bool ReSetColumn(bool deletedColumn, int value) = 0;
    virtual bool DeleteContactsDeletedFromServer() = 0;
    // Every contact's presence becomes unknown until the server reports it again.
    virtual bool ClearPresenceInfoForAllUsers() = 0;

protected:
    ~ContactDAO() = default;
};
