#include "store/ContactModel.h"

#include "store/ContactImpl.h"

using Ixa::Base::Collection::ArrayList;

const char* const ContactModel::modelName = "ContactModel";

ContactModel::ContactModel() = default;

ContactModel::~ContactModel() = default;

IMString ContactModel::getModelName() const { return IMString(modelName); }

ArrayList* ContactModel::GetSortedContactsByPresenceInGroup(int presence, const Ixa::Base::String& group)
{
    return Locked<ArrayList*>(nullptr,
        [&](ContactDatabase& contacts) { return contacts.GetSortedContactsByPresenceInGroup(presence, group); });
}

int ContactModel::GetNumOfContactsInGroup(const Ixa::Base::String& group)
{
    return Locked(-1, [&](ContactDatabase& contacts) { return contacts.GetNumOfContactsInGroup(group); });
}

int ContactModel::GetNumOfOnlineContactsInGroup(const Ixa::Base::String& group)
{
    return Locked(-1, [&](ContactDatabase& contacts) { return contacts.GetNumOfOnlineContactsInGroup(group); });
}

Contact* ContactModel::CreateContact() { return new ContactImpl(); }

Contact* ContactModel::CreateContact(Contact* source)
{
    Contact* copy = new ContactImpl();
    copy->SetContactId(source->GetContactId());
    copy->SetCustomMessage(source->GetCustomMessage());
    copy->SetGroupName(source->GetGroupName());
    copy->SetIsBlocked(source->GetIsBlocked());
    copy->SetIsBusy(source->GetIsBusy());
    copy->SetIsInvisible(source->GetIsInvisible());
    copy->SetIsDeleted(source->GetIsDeleted());
    copy->SetNickName(source->GetNickName());
    copy->SetOnBuddyList(source->GetOnBuddyList());
    copy->SetPresenceType(source->GetPresenceType());
    copy->SetUserName(source->GetUserName());
    return copy;
}

void ContactModel::SaveOrUpdate(Contact* contact)
{
    if (contact == nullptr || contact->GetContactId().IsEmpty()) {
        return;
    }
    Locked(false, [&](ContactDatabase& contacts) { return contacts.SaveOrUpdate(contact); });
}

Contact* ContactModel::GetContactById(const IMString& id)
{
    return LockedFor<Contact*>(id, nullptr, [&](ContactDatabase& contacts) { return contacts.GetContactById(id); });
}

Contact* ContactModel::GetContactByUsername(const IMString& name)
{
    return Locked<Contact*>(nullptr, [&](ContactDatabase& contacts) { return contacts.GetContactByUsername(name); });
}

ArrayList* ContactModel::GetAllContacts()
{
    return Locked<ArrayList*>(nullptr, [](ContactDatabase& contacts) { return contacts.GetAllContacts(); });
}

bool ContactModel::DeleteContactCascading(Contact* contact)
{
    if (contact == nullptr) {
        return false;
    }
    return Locked(false, [&](ContactDatabase& contacts) { return contacts.DeleteContact(contact); });
}

void ContactModel::BeginContactListRefresh() { contactListRefreshing_ = true; }

void ContactModel::OnContactListRefreshed()
{
    contactListRefreshing_ = false;
    DeleteContactsDeletedFromServer();
}

void ContactModel::OnContactListRefreshFailed(int, const IMString&) { OnContactListRefreshed(); }

void ContactModel::BeginBlockedListRefresh() { blockedListRefreshing_ = true; }

void ContactModel::OnBlockedListRefreshed() { blockedListRefreshing_ = false; }

void ContactModel::OnBlockedListRefreshFailed(int, const IMString&) { OnBlockedListRefreshed(); }

ArrayList* ContactModel::GetAllSortedContactsInGroup(const Ixa::Base::String& group, bool includeOffline)
{
    return Locked<ArrayList*>(nullptr,
        [&](ContactDatabase& contacts) { return contacts.GetAllSortedContactsInGroup(group, includeOffline); });
}

ArrayList* ContactModel::GetAllContactsStartingWith(const Ixa::Base::String& text, bool includeOffline)
{
    return Locked<ArrayList*>(
        nullptr, [&](ContactDatabase& contacts) { return contacts.GetAllContactsStartingWith(text, includeOffline); });
}

bool ContactModel::DeleteDatabase()
{
    return Locked(false, [](ContactDatabase& contacts) { return contacts.DeleteDatabase(); });
}

bool ContactModel::ReSetColumn(bool deletedColumn, int value)
{
    return Locked(false, [&](ContactDatabase& contacts) { return contacts.ReSetColumn(deletedColumn, value); });
}

bool ContactModel::DeleteContactsDeletedFromServer()
{
    return Locked(false, [](ContactDatabase& contacts) { return contacts.DeleteContactsDeletedFromServer(); });
}

bool ContactModel::ClearPresenceInfoForAllUsers()
{
    return Locked(false, [](ContactDatabase& contacts) { return contacts.ClearPresenceInfoForAllUsers(); });
}

bool ContactModel::GetContactListRefreshing() const { return contactListRefreshing_; }

bool ContactModel::GetBlockedListRefreshing() const { return blockedListRefreshing_; }

void ContactModel::BeginListsRrefresh(bool blocked, bool contacts)
{
    if (blocked) {
        BeginBlockedListRefresh();
    }
    if (contacts) {
        BeginContactListRefresh();
    }
}

void ContactModel::OnListsRefreshed(bool blocked, bool contacts)
{
    if (blocked) {
        OnBlockedListRefreshed();
    }
    if (contacts) {
        OnContactListRefreshed();
    }
}

ArrayList* ContactModel::GetAllBlockedContacts()
{
    return Locked<ArrayList*>(nullptr, [](ContactDatabase& contacts) { return contacts.GetAllBlockedContacts(); });
}

int ContactModel::GetNumBlockedContacts()
{
    return Locked(-1, [](ContactDatabase& contacts) { return contacts.GetNumBlockedContacts(); });
}

int ContactModel::GetNumContacts()
{
    return Locked(-1, [](ContactDatabase& contacts) { return contacts.GetNumContacts(); });
}

ArrayList* ContactModel::GetContactsByGroupName(Ixa::Base::String& group)
{
    return LockedFor<ArrayList*>(
        group, nullptr, [&](ContactDatabase& contacts) { return contacts.GetContactsByGroupName(group); });
}
