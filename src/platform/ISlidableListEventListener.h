// Asked by lists that load their items in slices as the user scrolls.
// Threading: called on the user-interface thread; the listener or provider is borrowed by
// the control it was given to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"

namespace Ixa::Ui::Controls {

class ISlidableListEventListener {
public:
    virtual ~ISlidableListEventListener() = default;
    virtual void OnListPropertyRequested(const Control& source) = 0;
    virtual void OnLoadToTopRequested(const Control& source, int index, int numItems) = 0;
    virtual void OnLoadToBottomRequested(const Control& source, int index, int numItems) = 0;
    virtual void OnUnloadItemRequested(const Control& source, int itemIndex) = 0;
};

}  // namespace Ixa::Ui::Controls
