// Asked by grouped lists that load their items in slices as the user scrolls.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"

namespace Ixa::Ui::Controls {

class ISlidableGroupedListEventListener {
public:
    virtual ~ISlidableGroupedListEventListener() = default;
    virtual void OnListPropertyRequested(const Control& source) = 0;
    virtual void OnLoadToTopRequested(const Control& source, int groupIndex, int itemIndex, int numItems) = 0;
    virtual void OnLoadToBottomRequested(const Control& source, int groupIndex, int itemIndex, int numItems) = 0;
    virtual void OnUnloadItemRequested(const Control& source, int groupIndex, int itemIndex) = 0;
};

}  // namespace Ixa::Ui::Controls
