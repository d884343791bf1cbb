// Receives the state changes of items of the item-id based lists.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"
#include "platform/UiTypes.h"

namespace Ixa::Ui {

class ICustomItemEventListener {
public:
    virtual ~ICustomItemEventListener() = default;
    virtual void OnItemStateChanged(const Control& source, int index, int itemId, ItemStatus status) = 0;
    // The element `elementId` of the item was tapped.
    virtual void OnItemStateChanged(const Control& source, int index, int itemId, int elementId, ItemStatus status) = 0;
};

}  // namespace Ixa::Ui
