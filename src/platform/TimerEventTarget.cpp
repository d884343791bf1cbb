#include "platform/TimerEventTarget.h"

#include "platform/ITimerEventListener.h"
#include "platform/ThreadEventReceiver.h"

#include "platform/VirtualClock.h"

#include <QCoreApplication>
#include <QThread>
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
    CancelVirtual();
    if (loop_ != nullptr)
        loop_->Unregister(*this);
}

bool TimerEventTarget::Start(int milliseconds)
{
    Cancel();
    if (UsesVirtualClock()) {
        virtualId_ = VirtualClock::Schedule(milliseconds, [this] {
            virtualId_ = 0;
            Expire();
        });
        return true;
    }
    timerId_ = startTimer(milliseconds, Qt::PreciseTimer);
    return timerId_ != 0;
}

void TimerEventTarget::Cancel()
{
    CancelVirtual();
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

void TimerEventTarget::timerEvent(QTimerEvent*) { Expire(); }

bool TimerEventTarget::UsesVirtualClock() const
{
    const QCoreApplication* application = QCoreApplication::instance();
    return VirtualClock::IsEnabled() && loop_ == nullptr && application != nullptr
        && application->thread() == QThread::currentThread();
}

void TimerEventTarget::CancelVirtual()
{
    if (virtualId_ == 0)
        return;
    VirtualClock::Cancel(virtualId_);
    virtualId_ = 0;
}

void TimerEventTarget::Expire()
{
    Cancel();
    if (loop_ != nullptr && loop_->IsClosing())
        return;
    listener_.OnTimerExpired(timer_);
}

}  // namespace Ixa::Base::Runtime
