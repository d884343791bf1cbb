#include "platform/Monitor.h"

namespace Ixa::Base::Runtime {

result Monitor::Construct()
{
    std::lock_guard lock(state_);
    if (depth_ != 0 || !waiters_.empty())
        return E_INVALID_STATE;
    constructed_ = true;
    return E_SUCCESS;
}

result Monitor::Enter()
{
    std::unique_lock lock(state_);
    if (!constructed_)
        return E_INVALID_STATE;
    if (IsHeldByCaller())
        ++depth_;
    else
        EnterLocked(lock, 1);
    return E_SUCCESS;
}

result Monitor::Exit()
{
    std::lock_guard lock(state_);
    if (!IsHeldByCaller())
        return E_INVALID_STATE;
    if (--depth_ == 0)
        LeaveLocked();
    return E_SUCCESS;
}

result Monitor::Wait()
{
    std::unique_lock lock(state_);
    if (!IsHeldByCaller())
        return E_INVALID_STATE;
    Waiter self;
    waiters_.push_back(&self);
    const int depth = depth_;
    depth_ = 0;
    LeaveLocked();
    self.wakeUp.wait(lock, [&self] { return self.notified; });
    EnterLocked(lock, depth);
    return E_SUCCESS;
}

result Monitor::Notify()
{
    std::lock_guard lock(state_);
    if (!IsHeldByCaller())
        return E_INVALID_STATE;
    if (!waiters_.empty()) {
        Waiter* oldest = waiters_.front();
        waiters_.pop_front();
        oldest->notified = true;
        oldest->wakeUp.notify_one();
    }
    return E_SUCCESS;
}

result Monitor::NotifyAll()
{
    std::lock_guard lock(state_);
    if (!IsHeldByCaller())
        return E_INVALID_STATE;
    for (Waiter* waiter : waiters_) {
        waiter->notified = true;
        waiter->wakeUp.notify_one();
    }
    waiters_.clear();
    return E_SUCCESS;
}

bool Monitor::IsHeldByCaller() const
{
    return constructed_ && depth_ > 0 && owner_ == std::this_thread::get_id();
}

void Monitor::EnterLocked(std::unique_lock<std::mutex>& lock, int depth)
{
    freed_.wait(lock, [this] { return depth_ == 0; });
    owner_ = std::this_thread::get_id();
    depth_ = depth;
}

void Monitor::LeaveLocked()
{
    owner_ = std::thread::id();
    freed_.notify_one();
}

}  // namespace Ixa::Base::Runtime

