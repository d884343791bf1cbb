// Told when the text of an edit field, edit area or search bar changes.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"

namespace Ixa::Ui {

class ITextEventListener {
public:
    virtual ~ITextEventListener() = default;
    virtual void OnTextValueChanged(const Control& source) = 0;
    virtual void OnTextValueChangeCanceled(const Control& source) = 0;
};

}  // namespace Ixa::Ui
