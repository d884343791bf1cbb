#include "platform/Animation.h"

#include "platform/AnimationFrame.h"
#include "platform/BitmapCopy.h"
#include "platform/Canvas.h"
#include "platform/PaintedWidget.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

Animation::Animation() = default;

Animation::~Animation() { DestroyWidget(); }

result Animation::Construct(const Graphics::Rectangle& rect, const Base::Collection::IList& frames)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    std::vector<Frame> copied;
    for (int i = 0; i < frames.GetCount(); ++i) {
        const auto* frame = dynamic_cast<const AnimationFrame*>(frames.GetAt(i));
        if (frame == nullptr || frame->GetDuration() <= 0)
            return E_INVALID_ARG;
        Frame copy{Graphics::BitmapCopy::Make(frame->GetFrame()), static_cast<int>(frame->GetDuration())};
        if (!copy.bitmap)
            return E_INVALID_ARG;
        copied.push_back(std::move(copy));
    }
    if (copied.empty())
        return E_INVALID_ARG;
    frames_ = std::move(copied);
    timer_.Construct(*this);
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) { Paint(painter); };
    AdoptWidget(widget, rect);
    return E_SUCCESS;
}

result Animation::Play()
{
    if (frames_.empty())
        return E_INVALID_STATE;
    if (status_ == ANIMATION_PLAYING)
        return E_SUCCESS;
    if (status_ == ANIMATION_STOPPED) {
        current_ = 0;
        repeated_ = 0;
    }
    status_ = ANIMATION_PLAYING;
    RequestRedraw();
    return timer_.Start(frames_[static_cast<size_t>(current_)].duration);
}

result Animation::Pause()
{
    if (status_ != ANIMATION_PLAYING)
        return E_INVALID_OPERATION;
    timer_.Cancel();
    status_ = ANIMATION_PAUSED;
    return E_SUCCESS;
}

result Animation::Stop()
{
    timer_.Cancel();
    const bool running = status_ != ANIMATION_STOPPED;
    status_ = ANIMATION_STOPPED;
    current_ = 0;
    RequestRedraw();
    if (running)
        TellStopped();
    return E_SUCCESS;
}

result Animation::SetRepeatCount(int count)
{
    if (count < 1)
        return E_INVALID_ARG;
    repeatCount_ = count;
    return E_SUCCESS;
}

void Animation::OnTimerExpired(Base::Runtime::Timer&)
{
    if (status_ != ANIMATION_PLAYING)
        return;
    ++current_;
    if (current_ == GetFrameCount()) {
        ++repeated_;
        if (repeated_ >= repeatCount_) {
            Finish();
            return;
        }
        current_ = 0;
    }
    RequestRedraw();
    timer_.Start(frames_[static_cast<size_t>(current_)].duration);
}

void Animation::Finish()
{
    current_ = GetFrameCount() - 1;
    status_ = ANIMATION_STOPPED;
    RequestRedraw();
    TellStopped();
}

void Animation::TellStopped()
{
    listeners_.Notify([&](IAnimationEventListener& listener) { listener.OnAnimationStopped(*this); });
}

void Animation::Paint(QPainter& painter)
{
    const Graphics::Rectangle bounds = GetBounds();
    const Graphics::Bitmap& bitmap = *frames_[static_cast<size_t>(current_)].bitmap;
    // Centred and never stretched beyond the control.
    const int width = std::min(bounds.width, bitmap.GetWidth());
    const int height = std::min(bounds.height, bitmap.GetHeight());
    Graphics::Canvas canvas;
    canvas.ConstructOver(painter, Graphics::Rectangle(0, 0, bounds.width, bounds.height));
    canvas.DrawBitmap(Graphics::Rectangle((bounds.width - width) / 2, (bounds.height - height) / 2, width, height), bitmap);
}

}  // namespace Ixa::Ui::Controls
