#include "store/GroupDatabase.h"

#include "store/GroupImpl.h"

using Ixa::Base::Collection::ArrayList;

namespace {

constexpr const char* CREATE_TABLE =
    "CREATE TABLE IF NOT EXISTS grouptable1(groupid NTEXT,groupname NTEXT,hascontacts INTEGER,isexpanded INTEGER)";
constexpr const char* CREATE_INDEX = "CREATE UNIQUE INDEX IF NOT EXISTS grouptable1_id ON grouptable1(groupid)";
// Rows written before ids were kept in lower case: each takes its lower-case id, and one that
// another row already holds under that id gives way to it.
constexpr const char* LOWER_IDS = "UPDATE OR IGNORE grouptable1 SET groupid=lower(groupid)";
constexpr const char* DROP_SHADOWED_IDS = "DELETE FROM grouptable1 WHERE groupid<>lower(groupid)";

// Inserts the row, or updates the row that has the group id.
constexpr const char* SAVE_GROUP =
    "INSERT INTO grouptable1(groupid,groupname,hascontacts,isexpanded) VALUES(?,?,?,?) ON CONFLICT(groupid) "
    "DO UPDATE SET groupname=excluded.groupname,hascontacts=excluded.hascontacts,isexpanded=excluded.isexpanded";
constexpr const char* UPDATE_STATE = "UPDATE grouptable1 SET isexpanded=? WHERE groupid=?";
constexpr const char* SELECT_BY_ID = "SELECT * FROM grouptable1 WHERE groupid=?";
constexpr const char* SELECT_ALL = "SELECT * FROM grouptable1";
constexpr const char* SELECT_SORTED = "SELECT * FROM grouptable1 ORDER BY groupid ASC";
constexpr const char* COUNT_ALL = "SELECT COUNT(*) FROM grouptable1";
constexpr const char* DELETE_BY_ID = "DELETE FROM grouptable1 WHERE groupid=?";
constexpr const char* DELETE_ALL = "DELETE FROM grouptable1";

}  // namespace

const char* const GroupDatabase::dbLocation = "/Home/gtalkgroups.db";

IMString GroupDatabase::getDBLocation() { return IMString(dbLocation); }

GroupDatabase::GroupDatabase()
    : StoreTable(dbLocation, {CREATE_TABLE, CREATE_INDEX, LOWER_IDS, DROP_SHADOWED_IDS})
{
}

GroupDatabase::~GroupDatabase() = default;

IMString GroupDatabase::KeyOf(const IMString& id) { return id.ToLower(); }

SqlParameters GroupDatabase::BindValues(Group* group)
{
    SqlParameters values;
    values.Text(KeyOf(group->GetGroupId()))
        .Text(group->GetGroupName())
        .Flag(group->GetHasContacts())
        .Flag(group->GetIsExpanded());
    return values;
}

Group* GroupDatabase::CreateGroupObject(const Ixa::Io::DbEnumerator& row)
{
    Group* group = new GroupImpl();
    group->SetGroupId(TextAt(row, 0));
    group->SetGroupName(TextAt(row, 1));
    group->SetHasContacts(IntAt(row, 2) == 1);
    group->SetIsExpanded(IntAt(row, 3) == 1);
    return group;
}

bool GroupDatabase::DeleteDatabase() { return DeleteAllGroups(); }

// One statement, so the write is atomic without a transaction of its own.
bool GroupDatabase::SaveOrUpdate(Group* group) { return group != nullptr && Execute(SAVE_GROUP, BindValues(group)); }

Group* GroupDatabase::FindByGroupId(const IMString& id)
{
    return QueryFirst(SELECT_BY_ID, SqlParameters().Text(KeyOf(id)), CreateGroupObject);
}

bool GroupDatabase::DeleteGroup(Group* group)
{
    return group != nullptr && ExecuteInTransaction(DELETE_BY_ID, SqlParameters().Text(KeyOf(group->GetGroupId())));
}

ArrayList* GroupDatabase::NonEmptyGroupList(const char* sql)
{
    ArrayList* groups = QueryList(sql, SqlParameters(), CreateGroupObject);
    if (groups != nullptr && groups->GetCount() == 0) {
        delete groups;
        return nullptr;
    }
    return groups;
}

ArrayList* GroupDatabase::GetAllGroups() { return NonEmptyGroupList(SELECT_ALL); }

ArrayList* GroupDatabase::GetAllSortedGroups() { return NonEmptyGroupList(SELECT_SORTED); }

bool GroupDatabase::DeleteAllGroups() { return Execute(DELETE_ALL); }

int GroupDatabase::GetNumGroups() { return IsOpened() ? QueryInt(COUNT_ALL, SqlParameters()) : -1; }

bool GroupDatabase::UpdateGroupStateById(const IMString& id, bool expanded)
{
    return Execute(UPDATE_STATE, SqlParameters().Flag(expanded).Text(KeyOf(id))) && GetChangedRowCount() > 0;
}
