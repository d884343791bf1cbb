// A re-entrant lock: the holder may acquire it again and frees it with as many releases.
// Unlike a bare std::mutex, misuse is reported rather than undefined: acquiring or releasing
// before Create, or releasing from a thread that does not hold it, answers E_INVALID_STATE.
// Threading and ownership: Acquire/Release from any thread once Create has returned; the
// owner of the object must not destroy it while some thread holds it.
#pragma once

#include "platform/Object.h"
#include "platform/Result.h"
#include "platform/String.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace Ixa::Base::Runtime {

class Mutex : public Object {
public:
    Mutex() = default;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    result Create();
    // Names do not make a lock visible to other processes; the name is accepted and unused.
    result Create(const String& name);

    result Acquire();
    result Release();

private:
    std::recursive_mutex lock_;
    std::atomic<bool> created_{false};
    // Only the holder writes its own id here, so a thread comparing against its own id reads
    // a stable answer without taking the lock.
    std::atomic<std::thread::id> holder_{};
    int depth_ = 0;
};

}  // namespace Ixa::Base::Runtime
