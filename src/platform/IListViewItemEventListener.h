// Told about taps, checks, sweeps and context items of a list view's rows.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once

#include "platform/ControlsTypes.h"

namespace Ixa::Ui::Controls {

class ListView;

class IListViewItemEventListener {
public:
    virtual ~IListViewItemEventListener() = default;
    // A context item (shown after a sweep or long press on the row) was chosen.
    virtual void OnListViewContextItemStateChanged(ListView& listView, int index, int elementId, ListContextItemStatus status) = 0;
    // A row was tapped: `elementId` is the tapped element when that element is selectable,
    // else -1; `status` is CHECKED or UNCHECKED on checkable rows, else SELECTED.
    virtual void OnListViewItemStateChanged(ListView& listView, int index, int elementId, ListItemStatus status) = 0;
    virtual void OnListViewItemSwept(ListView& listView, int index, SweepDirection direction) = 0;
};

}  // namespace Ixa::Ui::Controls
