// Told when an animation ends.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"

namespace Ixa::Ui {

class IAnimationEventListener {
public:
    virtual ~IAnimationEventListener() = default;
    // The animation played its last repetition or was stopped.
    virtual void OnAnimationStopped(const Control& source) = 0;
};

}  // namespace Ixa::Ui
