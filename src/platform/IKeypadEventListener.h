// Told when the on-screen keypad of an edit control opens, closes or reports its action key.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"
#include "platform/UiTypes.h"

namespace Ixa::Ui {

class IKeypadEventListener {
public:
    virtual ~IKeypadEventListener() = default;
    virtual void OnKeypadWillOpen(Control& source) = 0;
    virtual void OnKeypadOpened(Control& source) = 0;
    virtual void OnKeypadClosed(Control& source) = 0;
    // The keypad's action key (or Enter on the desktop keyboard) was used.
    virtual void OnKeypadActionPerformed(Control& source, KeypadAction keypadAction) = 0;
};

}  // namespace Ixa::Ui
