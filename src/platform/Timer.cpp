#include "platform/Timer.h"

#include "platform/ThreadEventReceiver.h"
#include "platform/TimerEventTarget.h"

#include <QCoreApplication>
#include <QThread>

namespace Ixa::Base::Runtime {

namespace {

bool CallerHasEventLoop()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return ThreadEventReceiver::ForCurrentThread() != nullptr
        || (application != nullptr && application->thread() == QThread::currentThread());
}

}  // namespace

Timer::Timer() = default;

Timer::~Timer() = default;

result Timer::Construct(ITimerEventListener& listener)
{
    if (!CallerHasEventLoop() || (target_ && !target_->IsOrphaned() && !IsOnOwnerThread()))
        return E_INVALID_STATE;
    target_ = std::make_unique<TimerEventTarget>(*this, listener);
    return E_SUCCESS;
}

result Timer::Start(int milliseconds)
{
    if (!IsOnOwnerThread())
        return E_INVALID_STATE;
    if (milliseconds < 0)
        return E_INVALID_ARG;
    return target_->Start(milliseconds) ? E_SUCCESS : E_SYSTEM;
}

result Timer::Cancel()
{
    if (!IsOnOwnerThread())
        return E_INVALID_STATE;
    target_->Cancel();
    return E_SUCCESS;
}

bool Timer::IsOnOwnerThread() const
{
    return target_ && !target_->IsOrphaned() && target_->thread() == QThread::currentThread();
}

}  // namespace Ixa::Base::Runtime
