// Feeds a grouped list view: groups, their header items and their rows.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once

#include "platform/GroupItem.h"
#include "platform/ListItemBase.h"

namespace Ixa::Ui::Controls {

class IGroupedListViewItemProvider {
public:
    virtual ~IGroupedListViewItemProvider() = default;
    virtual int GetGroupCount() = 0;
    virtual int GetItemCount(int groupIndex) = 0;
    virtual GroupItem* CreateGroupItem(int groupIndex, int itemWidth) = 0;
    virtual ListItemBase* CreateItem(int groupIndex, int itemIndex, int itemWidth) = 0;
    // Take items back; true when the provider deleted them, else the list does.
    virtual bool DeleteGroupItem(int groupIndex, GroupItem* item, int itemWidth) = 0;
    virtual bool DeleteItem(int groupIndex, int itemIndex, ListItemBase* item, int itemWidth) = 0;
};

}  // namespace Ixa::Ui::Controls
