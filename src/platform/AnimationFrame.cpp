#include "platform/AnimationFrame.h"

namespace Ixa::Ui::Controls {

result AnimationFrame::Construct(const Graphics::Bitmap& frame, long duration)
{
    if (duration <= 0)
        return E_INVALID_ARG;
    frame_ = &frame;
    duration_ = duration;
    return E_SUCCESS;
}

result AnimationFrame::SetFrame(const Graphics::Bitmap& frame)
{
    frame_ = &frame;
    return E_SUCCESS;
}

result AnimationFrame::SetDuration(long duration)
{
    if (duration <= 0)
        return E_INVALID_ARG;
    duration_ = duration;
    return E_SUCCESS;
}

}  // namespace Ixa::Ui::Controls
