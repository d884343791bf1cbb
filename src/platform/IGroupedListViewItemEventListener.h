// Told about taps, checks, sweeps and context items of a grouped list view's rows.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once

#include "platform/ControlsTypes.h"

namespace Ixa::Ui::Controls {

class GroupedListView;

class IGroupedListViewItemEventListener {
public:
    virtual ~IGroupedListViewItemEventListener() = default;
    virtual void OnGroupedListViewContextItemStateChanged(GroupedListView& listView, int groupIndex, int itemIndex, int elementId, ListContextItemStatus status) = 0;
    virtual void OnGroupedListViewItemStateChanged(GroupedListView& listView, int groupIndex, int itemIndex, int elementId, ListItemStatus status) = 0;
    virtual void OnGroupedListViewItemSwept(GroupedListView& listView, int groupIndex, int itemIndex, SweepDirection direction) = 0;
};

}  // namespace Ixa::Ui::Controls
