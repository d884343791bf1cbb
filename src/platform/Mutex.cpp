#include "platform/Mutex.h"

namespace Ixa::Base::Runtime {

result Mutex::Create()
{
    bool wasCreated = false;
    return created_.compare_exchange_strong(wasCreated, true) ? E_SUCCESS : E_INVALID_STATE;
}

result Mutex::Create(const String&) { return Create(); }

result Mutex::Acquire()
{
    if (!created_.load())
        return E_INVALID_STATE;
    lock_.lock();
    holder_.store(std::this_thread::get_id());
    ++depth_;
    return E_SUCCESS;
}

result Mutex::Release()
{
    if (!created_.load() || holder_.load() != std::this_thread::get_id())
        return E_INVALID_STATE;
    if (--depth_ == 0)
        holder_.store(std::thread::id());
    lock_.unlock();
    return E_SUCCESS;
}

}  // namespace Ixa::Base::Runtime
