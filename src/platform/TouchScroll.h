// The vertical drag that scrolls a painted control (the list views and the icon grid): where
// the touch went down, whether it has moved far enough to be a drag rather than a tap, and
// the scroll offset kept between the top of the content and the bottom of the view.
// Threading and ownership: user-interface thread; a member of its control.
#pragma once

namespace Ixa::Ui {

class TouchScroll {
public:
    static constexpr int DRAG_THRESHOLD = 12;

    void Press(int x, int y);
    // Follows the touch; true while it is a drag (the offset then follows the finger).
    bool Move(int x, int y);
    bool IsDragging() const { return dragging_; }
    int GetPressX() const { return pressX_; }
    int GetPressY() const { return pressY_; }

    int GetOffset() const { return offset_; }
    void SetOffset(int offset) { offset_ = offset; }
    void ScrollBy(int delta) { offset_ += delta; }
    // Keeps the offset inside [0, contentHeight - viewHeight].
    void Clamp(int contentHeight, int viewHeight);

private:
    int offset_ = 0;
    int offsetAtPress_ = 0;
    int pressX_ = 0;
    int pressY_ = 0;
    bool dragging_ = false;
};

}  // namespace Ixa::Ui
