// The connection's re-entrant lock, with one addition over a plain mutex: a thread can wait
// for it on a condition and give up as soon as that condition holds. The reader thread waits
// for it that way, giving up once its reader has been closed, so a logout or close that holds
// the lock while it waits for the reader thread can never be waited for in return.
// lock()/unlock() fit std::lock_guard.
// Threading: every call from any thread; unlock only by the holder. The object must not be
// destroyed while a thread holds or waits for it.
#pragma once

#include "foundation/IMMonitor.h"

#include <functional>
#include <thread>

class ConnectionLock {
public:
    ConnectionLock();
    ~ConnectionLock();

    ConnectionLock(const ConnectionLock&) = delete;
    ConnectionLock& operator=(const ConnectionLock&) = delete;

    void lock();
    // Takes the lock unless `abandon` answers true first; `abandon` is asked at once and
    // again whenever the lock is freed or wakeWaiters() is called.
    bool lockUnless(const std::function<bool()>& abandon);
    void unlock();
    // Makes every waiter ask its condition again.
    void wakeWaiters();

private:
    IMMonitor* monitor_;
    // Inside the monitor.
    std::thread::id holder_;
    int depth_ = 0;
};
