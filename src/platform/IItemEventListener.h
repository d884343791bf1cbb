// Receives the state changes of plain item lists.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"
#include "platform/UiTypes.h"

namespace Ixa::Ui {

class IItemEventListener {
public:
    virtual ~IItemEventListener() = default;
    virtual void OnItemStateChanged(const Control& source, int index, int itemId, ItemStatus status) = 0;
};

}  // namespace Ixa::Ui
