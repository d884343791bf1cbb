// Receives the keys pressed while a control has the focus.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"
#include "platform/UiTypes.h"

namespace Ixa::Ui {

class IKeyEventListener {
public:
    virtual ~IKeyEventListener() = default;
    virtual void OnKeyLongPressed(const Control& source, KeyCode keyCode) = 0;
    virtual void OnKeyPressed(const Control& source, KeyCode keyCode) = 0;
    virtual void OnKeyReleased(const Control& source, KeyCode keyCode) = 0;
};

}  // namespace Ixa::Ui
