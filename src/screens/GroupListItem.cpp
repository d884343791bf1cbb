#include "screens/GroupListItem.h"

GroupListItem::GroupListItem(int groupIndex, Group* group, bool expanded)
    : groupIndex_(groupIndex)
    , group_(group)
    , expanded_(expanded)
{
    items_.Construct();
}

GroupListItem::~GroupListItem() { items_.RemoveAll(true); }

int GroupListItem::GetGroupIndex() const { return groupIndex_; }

Group* GroupListItem::GetItem() const { return group_.get(); }

void GroupListItem::SetItem(Group* group) { group_.reset(group); }

bool GroupListItem::IsExpanded() const { return expanded_; }

void GroupListItem::setExpanded(bool expanded) { expanded_ = expanded; }

void GroupListItem::AddItem(ContactItem* item) { items_.Add(item); }

Ixa::Base::Collection::ArrayList* GroupListItem::GetAllItems() { return &items_; }
