// Feeds a list view: the row count and each row's item, asked for as rows come into view.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once

#include "platform/ListItemBase.h"

namespace Ixa::Ui::Controls {

class IListViewItemProvider {
public:
    virtual ~IListViewItemProvider() = default;
    virtual int GetItemCount() = 0;
    // A new item for row `index`; the list owns it until it hands it back to DeleteItem.
    virtual ListItemBase* CreateItem(int index, int itemWidth) = 0;
    // Takes an item back. Returns true when it deleted the item; on false the list does.
    virtual bool DeleteItem(int index, ListItemBase* item, int itemWidth) = 0;
};

}  // namespace Ixa::Ui::Controls
