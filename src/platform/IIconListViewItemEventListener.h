// Told when an icon of an icon grid is tapped.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once

#include "platform/ControlsTypes.h"

namespace Ixa::Ui::Controls {

class IconListView;

class IIconListViewItemEventListener {
public:
    virtual ~IIconListViewItemEventListener() = default;
    // An icon was tapped: CHECKED or UNCHECKED in a checking grid, else SELECTED.
    virtual void OnIconListViewItemStateChanged(IconListView& view, int index, IconListViewItemStatus status) = 0;
};

}  // namespace Ixa::Ui::Controls
