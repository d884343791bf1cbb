// Feeds an icon grid: the icon count and each icon, asked for as icons come into view.
// Threading: called on the user-interface thread; the provider is borrowed by the grid it
// was given to and must outlive it or be replaced first.
#pragma once

#include "platform/IconListViewItem.h"

namespace Ixa::Ui::Controls {

class IIconListViewItemProvider {
public:
    virtual ~IIconListViewItemProvider() = default;
    virtual int GetItemCount() = 0;
    // A new icon for `index`; the grid owns it until it hands it back to DeleteItem.
    virtual IconListViewItem* CreateItem(int index) = 0;
    // Takes an icon back. Returns true when it deleted the icon; on false the grid does.
    virtual bool DeleteItem(int index, IconListViewItem* item) = 0;
};

}  // namespace Ixa::Ui::Controls
