#include "store/ContactDatabase.h"

#include "store/ContactImpl.h"

#include <iterator>
#include <memory>
#include <vector>

using Ixa::Base::Collection::ArrayList;

namespace {

constexpr const char* CREATE_TABLE =
    "CREATE TABLE IF NOT EXISTS ContactTable1(userid NTEXT,username NTEXT,displayname NTEXT,groupname NTEXT,"
    "isblocked INTEGER,presencetype INTEGER,isbusy INTEGER,custommessage NTEXT,isinvisible INTEGER,"
    "isonbuddylist INTEGER,isdeleted INTEGER,hasAvatar INTEGER,isMobile INTEGER)";
// The unique index keeps one row per contact id and lets a save find its row in one step,
// which keeps a roster merge linear.
constexpr const char* CREATE_INDEX = "CREATE UNIQUE INDEX IF NOT EXISTS ContactTable1_userid ON ContactTable1(userid)";

// Inserts the row, or updates every column of the row that has the contact id.
constexpr const char* SAVE_CONTACT =
    "INSERT INTO ContactTable1(userid,username,displayname,groupname,isblocked,presencetype,isbusy,custommessage,"
    "isinvisible,isonbuddylist,isdeleted,hasAvatar,isMobile) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?) "
    "ON CONFLICT(userid) DO UPDATE SET username=excluded.username,displayname=excluded.displayname,"
    "groupname=excluded.groupname,isblocked=excluded.isblocked,presencetype=excluded.presencetype,"
    "isbusy=excluded.isbusy,custommessage=excluded.custommessage,isinvisible=excluded.isinvisible,"
    "isonbuddylist=excluded.isonbuddylist,isdeleted=excluded.isdeleted,hasAvatar=excluded.hasAvatar,"
    "isMobile=excluded.isMobile";

constexpr const char* SELECT_BY_ID = "SELECT * FROM ContactTable1 WHERE userid=?";
constexpr const char* SELECT_BY_USERNAME = "SELECT * FROM ContactTable1 WHERE username=?";
constexpr const char* SELECT_BY_GROUP = "SELECT * FROM ContactTable1 WHERE groupname=? AND isonbuddylist=1";
constexpr const char* SELECT_ALL = "SELECT * FROM ContactTable1 WHERE isonbuddylist=1";
constexpr const char* SELECT_BLOCKED =
    "SELECT * FROM ContactTable1 WHERE isblocked=1 ORDER BY displayname COLLATE NOCASE ASC,displayname ASC";
constexpr const char* SELECT_BY_PRESENCE_IN_GROUP =
    "SELECT * FROM ContactTable1 WHERE isonbuddylist=1 AND presencetype=? AND groupname=? "
    "ORDER BY displayname COLLATE NOCASE ASC,displayname ASC";
constexpr const char* SELECT_SEARCHED_BY_PRESENCE =
    "SELECT * FROM ContactTable1 WHERE isonbuddylist=1 AND presencetype=?1 AND "
    "(username LIKE ?2 ESCAPE '\\' OR displayname LIKE ?2 ESCAPE '\\') "
    "ORDER BY displayname COLLATE NOCASE ASC,displayname ASC";

constexpr const char* COUNT_ALL = "SELECT COUNT(*) FROM ContactTable1 WHERE isonbuddylist=1";
constexpr const char* COUNT_BLOCKED = "SELECT COUNT(*) FROM ContactTable1 WHERE isblocked=1";
constexpr const char* COUNT_IN_GROUP = "SELECT COUNT(*) FROM ContactTable1 WHERE groupname=? AND isonbuddylist=1";
constexpr const char* COUNT_ONLINE_IN_GROUP =
    "SELECT COUNT(*) FROM ContactTable1 WHERE groupname=? AND isonbuddylist=1 AND "
    "(presencetype=0 OR presencetype=2 OR presencetype=999)";

constexpr const char* DELETE_BY_ID = "DELETE FROM ContactTable1 WHERE userid=?";
constexpr const char* DELETE_ALL = "DELETE FROM ContactTable1";
constexpr const char* DELETE_MARKED = "DELETE FROM ContactTable1 WHERE isdeleted=1";
constexpr const char* RESET_DELETED = "UPDATE ContactTable1 SET isdeleted=?";
constexpr const char* RESET_BLOCKED = "UPDATE ContactTable1 SET isblocked=?";
constexpr const char* CLEAR_PRESENCE =
    "UPDATE ContactTable1 SET presencetype = -1, isbusy = 0 WHERE presencetype != -2";

constexpr int ONLINE_PRESENCES[] = {Contact::PRESENCE_AVAILABLE, Contact::PRESENCE_BUSY, Contact::PRESENCE_AWAY};
constexpr int OFFLINE_PRESENCES[] = {Contact::PRESENCE_OFFLINE, Contact::PRESENCE_NEVER_SEEN};

}  // namespace

const char* const ContactDatabase::dbLocation = "/Home/gtalkcontacts.db";

IMString ContactDatabase::getDBLocation() { return IMString(dbLocation); }

ContactDatabase::ContactDatabase()
    : StoreTable(dbLocation, {CREATE_TABLE, CREATE_INDEX})
{
}

ContactDatabase::~ContactDatabase() = default;

SqlParameters ContactDatabase::BindValues(Contact* contact)
{
    const IMString& displayName = contact->GetNickName().IsEmpty() ? contact->GetUserName() : contact->GetNickName();
    SqlParameters values;
    values.Text(contact->GetContactId())
        .Text(contact->GetUserName())
        .Text(displayName)
        .Text(contact->GetGroupName())
        .Flag(contact->GetIsBlocked())
        .Int(contact->GetPresenceType())
        .Flag(contact->GetIsBusy())
        .Text(contact->GetCustomMessage())
        .Flag(contact->GetIsInvisible())
        .Flag(contact->GetOnBuddyList())
        .Flag(contact->GetIsDeleted())
        .Flag(contact->IsHavingAvatar())
        .Flag(contact->GetDeviceType() != 0);
    return values;
}

Contact* ContactDatabase::CreateContactObject(const Ixa::Io::DbEnumerator& row)
{
    auto contact = new ContactImpl();
    contact->SetContactId(TextAt(row, 0));
    contact->SetUserName(TextAt(row, 1));
    contact->SetNickName(TextAt(row, 2));
    contact->SetGroupName(TextAt(row, 3));
    contact->SetIsBlocked(FlagAt(row, 4));
    contact->SetPresenceType(IntAt(row, 5));
    contact->SetIsBusy(FlagAt(row, 6));
    contact->SetCustomMessage(TextAt(row, 7));
    contact->SetIsInvisible(FlagAt(row, 8));
    contact->SetOnBuddyList(FlagAt(row, 9));
    contact->SetIsDeleted(FlagAt(row, 10));
    contact->SetIsHavingAvatar(FlagAt(row, 11));
    contact->SetDeviceType(IntAt(row, 12));
    return contact;
}

// One statement, so the write is atomic without a transaction of its own; inside a model
// batch it joins the batch's transaction.
bool ContactDatabase::SaveOrUpdate(Contact* contact)
{
    return contact != nullptr && Execute(SAVE_CONTACT, BindValues(contact));
}

bool ContactDatabase::DeleteContact(Contact* contact)
{
    return IsOpened() && contact != nullptr &&
           ExecuteInTransaction(DELETE_BY_ID, SqlParameters().Text(contact->GetContactId()));
}

bool ContactDatabase::DeleteAll() { return IsOpened() && ExecuteInTransaction(DELETE_ALL); }

bool ContactDatabase::DeleteDatabase() { return DeleteAll(); }

Contact* ContactDatabase::GetContactById(const IMString& id)
{
    return QueryFirst(SELECT_BY_ID, SqlParameters().Text(id), CreateContactObject);
}

Contact* ContactDatabase::GetContactByUsername(const IMString& name)
{
    return QueryFirst(SELECT_BY_USERNAME, SqlParameters().Text(name), CreateContactObject);
}

ArrayList* ContactDatabase::ContactList(const char* sql, const SqlParameters& values)
{
    if (!IsOpened()) {
        return nullptr;
    }
    ArrayList* contacts = QueryList(sql, values, CreateContactObject);
    if (contacts == nullptr) {
        contacts = new ArrayList();
        contacts->Construct(10);
    }
    return contacts;
}

ArrayList* ContactDatabase::GetContactsByGroupName(const Ixa::Base::String& group)
{
    return ContactList(SELECT_BY_GROUP, SqlParameters().Text(group));
}

ArrayList* ContactDatabase::GetAllContacts() { return ContactList(SELECT_ALL, SqlParameters()); }

ArrayList* ContactDatabase::GetAllBlockedContacts() { return ContactList(SELECT_BLOCKED, SqlParameters()); }

ArrayList* ContactDatabase::GetSortedContactsByPresenceInGroup(int presence, const Ixa::Base::String& group)
{
    return ContactList(SELECT_BY_PRESENCE_IN_GROUP, SqlParameters().Int(presence).Text(group));
}

ArrayList* ContactDatabase::GetSearchedSortedContactsByPresence(int presence, const Ixa::Base::String& text)
{
    return ContactList(SELECT_SEARCHED_BY_PRESENCE, SqlParameters().Int(presence).Containing(text));
}

ArrayList* ContactDatabase::ConcatenateByPresence(
    ListQuery query, const Ixa::Base::String& argument, bool includeOffline)
{
    std::vector<int> presences(std::begin(ONLINE_PRESENCES), std::end(ONLINE_PRESENCES));
    if (includeOffline) {
        presences.insert(presences.end(), std::begin(OFFLINE_PRESENCES), std::end(OFFLINE_PRESENCES));
    }
    ArrayList* all = nullptr;
    for (int presence : presences) {
        std::unique_ptr<ArrayList> block((this->*query)(presence, argument));
        if (block == nullptr) {
            continue;
        }
        if (all == nullptr) {
            all = new ArrayList();
            all->Construct(10);
        }
        for (int i = 0; i < block->GetCount(); ++i) {
            all->Add(block->GetAt(i));
        }
    }
    return all;
}

ArrayList* ContactDatabase::GetAllSortedContactsInGroup(const Ixa::Base::String& group, bool includeOffline)
{
    return ConcatenateByPresence(&ContactDatabase::GetSortedContactsByPresenceInGroup, group, includeOffline);
}

ArrayList* ContactDatabase::GetAllContactsStartingWith(const Ixa::Base::String& text, bool includeOffline)
{
    return ConcatenateByPresence(&ContactDatabase::GetSearchedSortedContactsByPresence, text, includeOffline);
}

int ContactDatabase::GetNumContacts() { return IsOpened() ? QueryInt(COUNT_ALL, SqlParameters()) : -1; }

int ContactDatabase::GetNumBlockedContacts() { return IsOpened() ? QueryInt(COUNT_BLOCKED, SqlParameters()) : -1; }

int ContactDatabase::GetNumOfContactsInGroup(const Ixa::Base::String& group)
{
    return IsOpened() ? QueryInt(COUNT_IN_GROUP, SqlParameters().Text(group)) : -1;
}

int ContactDatabase::GetNumOfOnlineContactsInGroup(const Ixa::Base::String& group)
{
    return IsOpened() ? QueryInt(COUNT_ONLINE_IN_GROUP, SqlParameters().Text(group)) : -1;
}

bool ContactDatabase::ReSetColumn(bool deletedColumn, int value)
{
    return IsOpened() && Execute(deletedColumn ? RESET_DELETED : RESET_BLOCKED, SqlParameters().Int(value));
}

bool ContactDatabase::DeleteContactsDeletedFromServer() { return IsOpened() && Execute(DELETE_MARKED); }

bool ContactDatabase::ClearPresenceInfoForAllUsers() { return IsOpened() && ExecuteInTransaction(CLEAR_PRESENCE); }
