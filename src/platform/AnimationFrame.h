// One picture of an animation and how long it stays on screen.
// Threading and ownership: user-interface thread. The frame borrows its bitmap, which must
// outlive the frame's use; an Animation copies the pictures of its frames when it is made.
#pragma once

#include "platform/Bitmap.h"

namespace Ixa::Ui::Controls {

class AnimationFrame : public Base::Object {
public:
    AnimationFrame() = default;
    AnimationFrame(const Graphics::Bitmap& frame, long duration) : frame_(&frame), duration_(duration) {}

    result Construct(const Graphics::Bitmap& frame, long duration);
    const Graphics::Bitmap* GetFrame() const { return frame_; }
    long GetDuration() const { return duration_; }
    result SetFrame(const Graphics::Bitmap& frame);
    result SetDuration(long duration);

private:
    const Graphics::Bitmap* frame_ = nullptr;
    long duration_ = 0;
};

}  // namespace Ixa::Ui::Controls
