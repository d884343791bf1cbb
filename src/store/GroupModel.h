// The process-wide group store ("GroupModel"). Results are new objects the caller owns;
// nothing is cached or notified here. Operations answer null or false while the lock is
// missing, and at once for an empty group id.
// Threading: safe from any thread; the model's lock serialises every table call.
// Ownership: see StoreModel.
#pragma once

#include "store/GroupDAO.h"
#include "store/GroupDatabase.h"
#include "store/StoreModel.h"

class GroupModel : public StoreModel<GroupModel, GroupDatabase>, public GroupDAO {
public:
    static const char* const modelName;

    ~GroupModel() override;

    IMString getModelName() const override;

    // A new empty group (expanded, no contacts).
    Group* CreateGroup() override;
    // Ignored for a null group or an empty group id.
    void SaveOrUpdate(Group* group) override;
    Group* FindByGroupId(const IMString& id) override;
    // Answers whether the group is still there: true for a null group or when the delete
    // failed, false once the row is gone.
    bool DeleteGroup(Group* group) override;
    // Every group in table order; null when there is none.
    Ixa::Base::Collection::ArrayList* GetAllGroups() override;
    // Empties the table; the file stays.
    virtual bool DeleteDatabase();
    virtual bool UpdateGroupStateById(const IMString& id, bool expanded);

    // Every group by ascending group id; null when there is none.
    Ixa::Base::Collection::ArrayList* GetAllSortedGroups();
    int GetNumGroups();

private:
    friend class StoreModel<GroupModel, GroupDatabase>;
    GroupModel();
};
