// Told when an index letter of a list's fast-scroll bar is chosen.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"
#include "platform/String.h"

namespace Ixa::Ui {

class IFastScrollListener {
public:
    virtual ~IFastScrollListener() = default;
    virtual void OnFastScrollIndexSelected(Control& source, Base::String& index) = 0;
};

}  // namespace Ixa::Ui
