// The group table (grouptable1 in "/Home/gtalkgroups.db"): one row per group id. Ids are
// compared without regard to case: a group is stored and found under its id in lower case,
// so "Team" and "team" are one group. A stored flag reads true only when it is exactly 1. Results are new objects the caller owns; a
// closed table answers null, false, or -1 for the count.
// Threading and ownership: as StoreTable (GroupModel serialises it).
#pragma once

#include "store/Group.h"
#include "store/StoreTable.h"

class GroupDatabase : public StoreTable {
public:
    static const char* const dbLocation;
    static IMString getDBLocation();

    GroupDatabase();
    ~GroupDatabase() override;

    // Empties the table; the file stays.
    bool DeleteDatabase();
    bool SaveOrUpdate(Group* group);
    Group* FindByGroupId(const IMString& id);
    bool DeleteGroup(Group* group);
    // Every group in table order; null when there is none.
    Ixa::Base::Collection::ArrayList* GetAllGroups();
    bool DeleteAllGroups();
    int GetNumGroups();
    // Every group by ascending group id; null when there is none.
    Ixa::Base::Collection::ArrayList* GetAllSortedGroups();
    // Stores the expanded state of an existing group; false when there is no such group.
    bool UpdateGroupStateById(const IMString& id, bool expanded);

private:
    // The stored form of a group id.
    static IMString KeyOf(const IMString& id);
    static Group* CreateGroupObject(const Ixa::Io::DbEnumerator& row);
    static SqlParameters BindValues(Group* group);
    Ixa::Base::Collection::ArrayList* NonEmptyGroupList(const char* sql);
};
