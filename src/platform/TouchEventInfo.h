// What a touch callback is told besides the position: where the touch started and whether
// it is a long press. Thread-safety: a plain value.
#pragma once

#include "platform/Point.h"

namespace Ixa::Ui {

enum TouchStatus {
    TOUCH_PRESSED,
    TOUCH_LONG_PRESSED,
    TOUCH_RELEASED,
    TOUCH_MOVED,
    TOUCH_DOUBLE_PRESSED,
    TOUCH_FOCUS_IN,
    TOUCH_FOCUS_OUT,
};

class TouchEventInfo {
public:
    TouchEventInfo(TouchStatus status, const Graphics::Point& startPosition, const Graphics::Point& currentPosition)
        : status_(status), start_(startPosition), current_(currentPosition)
    {
    }
    TouchStatus GetTouchStatus() const { return status_; }
    Graphics::Point GetStartPosition() const { return start_; }
    Graphics::Point GetCurrentPosition() const { return current_; }

private:
    TouchStatus status_;
    Graphics::Point start_;
    Graphics::Point current_;
};

}  // namespace Ixa::Ui
