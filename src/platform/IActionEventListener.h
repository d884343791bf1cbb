// Receives the action ids of buttons and items.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"

namespace Ixa::Ui {

class IActionEventListener {
public:
    virtual ~IActionEventListener() = default;
    // A button, check button, header or footer item, keypad command button or popup button
    // with an action id was used.
    virtual void OnActionPerformed(const Control& source, int actionId) = 0;
};

}  // namespace Ixa::Ui
