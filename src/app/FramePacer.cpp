#include "app/FramePacer.h"

#include "platform/FrameClock.h"

#include <utility>

using Ixa::Ui::FrameClock;

FramePacer::FramePacer(std::function<void()> due) : due_(std::move(due)) {}

bool FramePacer::TakeFrame()
{
    if (FrameClock::CurrentFrame() != lastFrame_) {
        MarkRun();
        return true;
    }
    if (!waiting_) {
        WaitForNextFrame();
    }
    return false;
}

void FramePacer::MarkRun() { lastFrame_ = FrameClock::CurrentFrame(); }

void FramePacer::OnTimerExpired(Ixa::Base::Runtime::Timer&)
{
    waiting_ = false;
    due_();
}

void FramePacer::WaitForNextFrame()
{
    if (!timerBound_) {
        timerBound_ = !Ixa::IsFailed(timer_.Construct(*this));
    }
    waiting_ = timerBound_ && !Ixa::IsFailed(timer_.Start(FrameClock::UntilNextFrame()));
}
