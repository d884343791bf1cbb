#include "platform/ThreadEventReceiver.h"

#include "platform/EventPoster.h"
#include "platform/TimerEventTarget.h"

#include <QEvent>

namespace Ixa::Base::Runtime {

namespace {

thread_local ThreadEventReceiver* currentReceiver = nullptr;

// Nothing else is ever sent to this private object, so the first user type is unambiguous.
constexpr QEvent::Type WakeUpType = QEvent::User;

}  // namespace

ThreadEventReceiver::ThreadEventReceiver(std::function<void()> onWakeUp)
    : onWakeUp_(std::move(onWakeUp))
{
    currentReceiver = this;
}

ThreadEventReceiver::~ThreadEventReceiver()
{
    for (TimerEventTarget* timer : timers_)
        timer->Orphan();
    currentReceiver = nullptr;
}

ThreadEventReceiver* ThreadEventReceiver::ForCurrentThread() { return currentReceiver; }

void ThreadEventReceiver::Register(TimerEventTarget& timer) { timers_.push_back(&timer); }

void ThreadEventReceiver::Unregister(TimerEventTarget& timer) { std::erase(timers_, &timer); }

void ThreadEventReceiver::PostWakeUp() { EventPoster::Post(*this, WakeUpType); }

void ThreadEventReceiver::RunLoop()
{
    // QEventLoop::exec clears an exit requested before it started, so such a request is
    // honoured here instead.
    if (!closing_)
        loop_.exec();
}

void ThreadEventReceiver::Quit()
{
    closing_ = true;
    loop_.exit();
}

bool ThreadEventReceiver::IsClosing() const { return closing_; }

bool ThreadEventReceiver::event(QEvent* event)
{
    if (!EventPoster::HasType(*event, WakeUpType))
        return QObject::event(event);
    onWakeUp_();
    return true;
}

}  // namespace Ixa::Base::Runtime
