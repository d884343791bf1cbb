// The rows of the buddy list in display order: each header, followed by its contact rows
// while it is unfolded. Folding and unfolding a header takes its rows out of the order or
// puts them back without rebuilding anything.
// Threading: user-interface thread. Ownership: the list owns the headers added to it (and,
// through them, the contact rows); the main list only points at them.
#pragma once

#include "screens/GroupListItem.h"

#include "platform/ArrayList.h"

#include <memory>
#include <vector>

class MyExpandableList {
public:
    MyExpandableList();
    ~MyExpandableList();

    MyExpandableList(const MyExpandableList&) = delete;
    MyExpandableList& operator=(const MyExpandableList&) = delete;

    // Takes `group`; appends the header and, when it is unfolded, its contact rows.
    void AddItem(GroupListItem* group);
    // Inserts the header's contact rows right after position `index` (the header's own).
    void AddSubItems(int index, GroupListItem* group);
    // Takes out the header's contact rows that follow position `index`.
    void RemoveSubItems(int index, GroupListItem* group);
    int GetItemCount() const;
    // The entry at a position: a GroupListItem or a ContactItem; null outside the list.
    Ixa::Base::Object* GetItemAt(int index) const;
    // Lent: the entries in display order.
    Ixa::Base::Collection::ArrayList* GetMainlist();

private:
    Ixa::Base::Collection::ArrayList mainList_;
    std::vector<std::unique_ptr<GroupListItem>> groups_;
};
