#include "xmpp/ConnectionLock.h"

ConnectionLock::ConnectionLock() : monitor_(new IMMonitor()) {}

ConnectionLock::~ConnectionLock() { delete monitor_; }

void ConnectionLock::lock()
{
    lockUnless([] { return false; });
}

bool ConnectionLock::lockUnless(const std::function<bool()>& abandon)
{
    const std::thread::id self = std::this_thread::get_id();
    monitor_->Enter();
    for (;;) {
        if (abandon()) {
            monitor_->Exit();
            return false;
        }
        if (depth_ == 0 || holder_ == self) {
            break;
        }
        monitor_->Wait();
    }
    holder_ = self;
    ++depth_;
    monitor_->Exit();
    return true;
}

void ConnectionLock::unlock()
{
    monitor_->Enter();
    if (--depth_ == 0) {
        holder_ = std::thread::id();
        monitor_->NotifyAll();
    }
    monitor_->Exit();
}

void ConnectionLock::wakeWaiters()
{
    monitor_->Enter();
    monitor_->NotifyAll();
    monitor_->Exit();
}
