#include "store/GroupModel.h"

#include "store/GroupImpl.h"

using Ixa::Base::Collection::ArrayList;

const char* const GroupModel::modelName = "GroupModel";

GroupModel::GroupModel() = default;

GroupModel::~GroupModel() = default;

IMString GroupModel::getModelName() const { return IMString(modelName); }

Group* GroupModel::CreateGroup() { return new GroupImpl(); }

void GroupModel::SaveOrUpdate(Group* group)
{
    if (group == nullptr) {
        return;
    }
    LockedFor(group->GetGroupId(), false, [&](GroupDatabase& groups) { return groups.SaveOrUpdate(group); });
}

Group* GroupModel::FindByGroupId(const IMString& id)
{
    return LockedFor<Group*>(id, nullptr, [&](GroupDatabase& groups) { return groups.FindByGroupId(id); });
}

bool GroupModel::DeleteGroup(Group* group)
{
    if (group == nullptr) {
        return true;
    }
    return !Locked(false, [&](GroupDatabase& groups) { return groups.DeleteGroup(group); });
}

ArrayList* GroupModel::GetAllGroups()
{
    return Locked<ArrayList*>(nullptr, [](GroupDatabase& groups) { return groups.GetAllGroups(); });
}

bool GroupModel::DeleteDatabase()
{
    return Locked(false, [](GroupDatabase& groups) { return groups.DeleteDatabase(); });
}

bool GroupModel::UpdateGroupStateById(const IMString& id, bool expanded)
{
    return LockedFor(id, false, [&](GroupDatabase& groups) { return groups.UpdateGroupStateById(id, expanded); });
}

ArrayList* GroupModel::GetAllSortedGroups()
{
    return Locked<ArrayList*>(nullptr, [](GroupDatabase& groups) { return groups.GetAllSortedGroups(); });
}

int GroupModel::GetNumGroups()
{
    return Locked(-1, [](GroupDatabase& groups) { return groups.GetNumGroups(); });
}
