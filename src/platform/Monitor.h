// A re-entrant monitor with wait and notify, in the manner of a Java object monitor.
//
// Waiting is exact: Wait returns only after a Notify or NotifyAll issued while the caller was
// waiting, never spuriously. Waiters queue in arrival order; Notify wakes the oldest, NotifyAll
// every current waiter, and a notification with nobody waiting is lost. Wait gives the
// monitor up entirely, whatever the caller's entry depth, and restores that depth on return.
// Misuse (any call before Construct; Exit, Wait or Notify by a thread not inside) answers
// E_INVALID_STATE.
// Threading and ownership: all calls from any thread once Construct has returned; the owner
// of the object must not destroy it while a thread is inside or waiting.
#pragma once

#include "platform/Object.h"
#include "platform/Result.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace Ixa::Base::Runtime {

class Monitor : public Object {
public:
    Monitor() = default;
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;

    // May be called again while nobody is inside or waiting; E_INVALID_STATE otherwise.
    result Construct();

    result Enter();
    result Exit();
    result Wait();
    result Notify();
    result NotifyAll();

private:
    // One per blocked Wait call, living on the waiter's stack while it is queued.
    struct Waiter {
        std::condition_variable wakeUp;
        bool notified = false;
    };

    bool IsHeldByCaller() const;
    void EnterLocked(std::unique_lock<std::mutex>& lock, int depth);
    void LeaveLocked();

    std::mutex state_;
    std::condition_variable freed_;
    std::deque<Waiter*> waiters_;
    std::thread::id owner_;
    int depth_ = 0;
    bool constructed_ = false;
};

}  // namespace Ixa::Base::Runtime
