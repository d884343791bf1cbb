#include "engine/RosterGroups.h"

#include "store/GroupDAO.h"

#include <memory>

RosterGroups::RosterGroups(GroupDAO* groups) : groups_(groups) {}

void RosterGroups::ensureDefaultGroup()
{
    IMString name(DEFAULT_GROUP);
    IMString stored;
    if (groups_ != nullptr && !storedName(name, stored)) {
        create(name);
    }
}

IMString RosterGroups::groupOf(RosterItem& item, bool onBuddyList)
{
    IMString name = requestedName(item);
    std::string key = keyOf(name);
    auto known = seen_.find(key);
    if (known != seen_.end()) {
        return known->second;
    }
    IMString stored;
    if (groups_ != nullptr && storedName(name, stored)) {
        name = stored;
    } else if (groups_ != nullptr && onBuddyList) {
        create(name);
    }
    if (onBuddyList) {
        seen_.emplace(key, name);
    }
    return name;
}

void RosterGroups::removeUnseen()
{
    if (groups_ == nullptr) {
        return;
    }
    std::unique_ptr<Ixa::Base::Collection::ArrayList> all(groups_->GetAllGroups());
    const std::string defaultKey = keyOf(IMString(DEFAULT_GROUP));
    for (int i = 0; all != nullptr && i < all->GetCount(); ++i) {
        auto group = static_cast<Group*>(all->GetAt(i));
        std::string key = keyOf(group->GetGroupId());
        if (key != defaultKey && seen_.count(key) == 0) {
            groups_->DeleteGroup(group);
        }
    }
    if (all != nullptr) {
        all->RemoveAll(true);
    }
}

IMString RosterGroups::requestedName(RosterItem& item)
{
    IMString name;
    if (!item.getGroups().empty()) {
        name = item.getGroups().front();
        name.Trim();
    }
    return name.IsEmpty() ? IMString(DEFAULT_GROUP) : name;
}

std::string RosterGroups::keyOf(const IMString& name) { return IMString(name.ToLower()).ToUtf8(); }

bool RosterGroups::storedName(const IMString& name, IMString& stored)
{
    std::unique_ptr<Group> group(groups_->FindByGroupId(name));
    if (group == nullptr) {
        return false;
    }
    stored = group->GetGroupName();
    return true;
}

void RosterGroups::create(const IMString& name)
{
    std::unique_ptr<Group> group(groups_->CreateGroup());
    group->SetGroupId(IMString(name.ToLower()));
    group->SetGroupName(name);
    group->SetHasContacts(true);
    groups_->SaveOrUpdate(group.get());
}
