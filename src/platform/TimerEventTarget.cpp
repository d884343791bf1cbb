#include "platform/TimerEventTarget.h"

#include "platform/ITimerEventListener.h"
#include "platform/ThreadEventReceiver.h"

#include <QTimerEvent>

namespace Ixa::Base::Runtime {

TimerEventTarget::TimerEventTarget(Timer& timer, ITimerEventListener& listener)
    : timer_(timer), listener_(listener), loop_(ThreadEventReceiver::ForCurrentThread())
{
    if (loop_ != nullptr)
        loop_->Register(*this);
}

TimerEventTarget::~TimerEventTarget()
{
    if (loop_ != nullptr)
        loop_->Unregister(*this);
}

bool TimerEventTarget::Start(int milliseconds)
{
    Cancel();
    timerId_ = startTimer(milliseconds, Qt::PreciseTimer);
    return timerId_ != 0;
}

void TimerEventTarget::Cancel()
{
    if (timerId_ == 0)
        return;
    killTimer(timerId_);
    timerId_ = 0;
}

void TimerEventTarget::Orphan()
{
    Cancel();
    loop_ = nullptr;
    orphaned_ = true;
}

bool TimerEventTarget::IsOrphaned() const { return orphaned_; }

void TimerEventTarget::timerEvent(QTimerEvent*)
{
    Cancel();
    if (loop_ != nullptr && loop_->IsClosing())
        return;
    listener_.OnTimerExpired(timer_);
}

}  // namespace Ixa::Base::Runtime
