// Told about the overlay keypad of the edit fields inside a scroll panel.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"

namespace Ixa::Ui {

class IScrollPanelEventListener {
public:
    virtual ~IScrollPanelEventListener() = default;
    // The overlay keypad of an edit field in the panel was created (first opening), opened
    // and closed; `source` is the edit field.
    virtual void OnOverlayControlCreated(const Control& source) = 0;
    virtual void OnOverlayControlOpened(const Control& source) = 0;
    virtual void OnOverlayControlClosed(const Control& source) = 0;
    // While the overlay keypad is open, the user touched outside the field and the keypad.
    virtual void OnOtherControlSelected(const Control& source) = 0;
};

}  // namespace Ixa::Ui
