#include "screens/MyExpandableList.h"

MyExpandableList::MyExpandableList() { mainList_.Construct(); }

MyExpandableList::~MyExpandableList() { mainList_.RemoveAll(false); }

void MyExpandableList::AddItem(GroupListItem* group)
{
    groups_.emplace_back(group);
    mainList_.Add(group);
    if (group->IsExpanded()) {
        AddSubItems(mainList_.GetCount() - 1, group);
    }
}

void MyExpandableList::AddSubItems(int index, GroupListItem* group)
{
    Ixa::Base::Collection::ArrayList* items = group->GetAllItems();
    for (int i = 0; i < items->GetCount(); ++i) {
        mainList_.InsertAt(items->GetAt(i), index + 1 + i);
    }
}

void MyExpandableList::RemoveSubItems(int index, GroupListItem* group)
{
    const int count = group->GetAllItems()->GetCount();
    for (int i = 0; i < count && index + 1 < mainList_.GetCount(); ++i) {
        mainList_.RemoveAt(index + 1, false);
    }
}

int MyExpandableList::GetItemCount() const { return mainList_.GetCount(); }

Ixa::Base::Object* MyExpandableList::GetItemAt(int index) const
{
    return index >= 0 && index < mainList_.GetCount() ? mainList_.GetAt(index) : nullptr;
}

Ixa::Base::Collection::ArrayList* MyExpandableList::GetMainlist() { return &mainList_; }
