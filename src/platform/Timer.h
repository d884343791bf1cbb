// A one-shot timer that calls its listener on the thread it belongs to.
//
// Construct binds the timer to the calling thread, which must run an event loop: an
// event-driven platform thread (from its OnStart or a handler) or Qt's main thread. It may be
// called again, disarming the timer, on the owner thread or once the owner's loop has ended,
// so a thread that is run again can bind its timers anew. Start arms it, re-arming a running
// timer from now; Cancel disarms it. Expiry is reported once per Start, never after the
// owning thread's loop was told to stop.
// Threading and ownership: Start, Cancel and destruction belong on the owner thread (Start and
// Cancel answer E_INVALID_STATE elsewhere); destroying it elsewhere is safe only once the
// owner thread has ended. The listener is not owned and must outlive the timer's use; it may
// destroy the timer from inside OnTimerExpired.
#pragma once

#include "platform/ITimerEventListener.h"
#include "platform/Object.h"
#include "platform/Result.h"

#include <memory>

namespace Ixa::Base::Runtime {

class TimerEventTarget;

class Timer : public Object {
public:
    Timer();
    ~Timer() override;

    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // E_INVALID_STATE on a thread without an event loop, or while the timer belongs to
    // another thread whose loop has not ended.
    result Construct(ITimerEventListener& listener);
    result Start(int milliseconds);
    result Cancel();

private:
    bool IsOnOwnerThread() const;

    std::unique_ptr<TimerEventTarget> target_;
};

}  // namespace Ixa::Base::Runtime
