// Told when the handset turns between portrait and landscape.
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"
#include "platform/UiTypes.h"

namespace Ixa::Ui {

class IOrientationEventListener {
public:
    virtual ~IOrientationEventListener() = default;
    virtual void OnOrientationChanged(const Control& source, OrientationStatus orientationStatus) = 0;
};

}  // namespace Ixa::Ui
