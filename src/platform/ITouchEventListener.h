// Receives the touches on a control (mouse press, move and release on the desktop; a press held 500 ms is a long press).
// Threading: called on the user-interface thread; the listener is borrowed by the control
// it was added to and must outlive it or be removed first.
#pragma once

#include "platform/Control.h"
#include "platform/TouchEventInfo.h"

namespace Ixa::Ui {

class ITouchEventListener {
public:
    virtual ~ITouchEventListener() = default;
    // Positions are relative to the source control.
    virtual void OnTouchDoublePressed(const Control& source, const Graphics::Point& currentPosition, const TouchEventInfo& touchInfo) = 0;
    virtual void OnTouchFocusIn(const Control& source, const Graphics::Point& currentPosition, const TouchEventInfo& touchInfo) = 0;
    virtual void OnTouchFocusOut(const Control& source, const Graphics::Point& currentPosition, const TouchEventInfo& touchInfo) = 0;
    virtual void OnTouchLongPressed(const Control& source, const Graphics::Point& currentPosition, const TouchEventInfo& touchInfo) = 0;
    virtual void OnTouchMoved(const Control& source, const Graphics::Point& currentPosition, const TouchEventInfo& touchInfo) = 0;
    virtual void OnTouchPressed(const Control& source, const Graphics::Point& currentPosition, const TouchEventInfo& touchInfo) = 0;
    virtual void OnTouchReleased(const Control& source, const Graphics::Point& currentPosition, const TouchEventInfo& touchInfo) = 0;
};

}  // namespace Ixa::Ui
