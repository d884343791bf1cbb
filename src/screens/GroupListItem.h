// One header of the buddy list: a roster group (or the own-profile header), whether it is
// unfolded, and the contact rows under it in display order.
// Threading: user-interface thread. Ownership: the header owns its group and its contact
// items; GetAllItems lends the list.
#pragma once

#include "screens/ContactItem.h"

#include "store/Group.h"

#include "platform/ArrayList.h"

#include <memory>

class GroupListItem : public Ixa::Base::Object {
public:
    GroupListItem(int groupIndex, Group* group, bool expanded);
    ~GroupListItem() override;

    int GetGroupIndex() const;
    Group* GetItem() const;
    // Takes `group`, deleting the one shown before.
    void SetItem(Group* group);
    bool IsExpanded() const;
    void setExpanded(bool expanded);
    // Takes `item`.
    void AddItem(ContactItem* item);
    Ixa::Base::Collection::ArrayList* GetAllItems();

private:
    int groupIndex_;
    std::unique_ptr<Group> group_;
    bool expanded_;
    Ixa::Base::Collection::ArrayList items_;
};
