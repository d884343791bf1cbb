#include "platform/TouchScroll.h"

#include <algorithm>
#include <cstdlib>

namespace Ixa::Ui {

void TouchScroll::Press(int x, int y)
{
    pressX_ = x;
    pressY_ = y;
    offsetAtPress_ = offset_;
    dragging_ = false;
}

bool TouchScroll::Move(int, int y)
{
    const int dy = y - pressY_;
    if (!dragging_ && std::abs(dy) > DRAG_THRESHOLD)
        dragging_ = true;
    if (dragging_)
        offset_ = offsetAtPress_ - dy;
    return dragging_;
}

void TouchScroll::Clamp(int contentHeight, int viewHeight) { offset_ = std::max(0, std::min(offset_, contentHeight - viewHeight)); }

}  // namespace Ixa::Ui
