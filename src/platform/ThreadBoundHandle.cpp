#include "platform/ThreadBoundHandle.h"

#include "platform/EventPoster.h"
#include "platform/ThreadBoundObject.h"

#include <QThread>

namespace Ixa::Base::Runtime {

ThreadBoundHandle::ThreadBoundHandle(ThreadBoundObject& object) : object_(&object) {}

ThreadBoundObject* ThreadBoundHandle::ObjectOnCallerThread() const
{
    std::lock_guard lock(mutex_);
    // Only the object's own thread destroys it, so on that thread it stays valid after the
    // lock is given up.
    if (object_ == nullptr || object_->thread() != QThread::currentThread())
        return nullptr;
    return object_;
}

bool ThreadBoundHandle::Post(std::function<void()> work)
{
    std::lock_guard lock(mutex_);
    if (object_ == nullptr)
        return false;
    work_.push_back(std::move(work));
    if (!wakeUpPending_) {
        wakeUpPending_ = true;
        EventPoster::Post(*object_, WakeUpType);
    }
    return true;
}

void ThreadBoundHandle::Release()
{
    ThreadBoundObject* own = ObjectOnCallerThread();
    if (own != nullptr) {
        delete own;
        return;
    }
    std::lock_guard delivery(deliveryMutex_);
    std::lock_guard lock(mutex_);
    released_ = true;
    // Posting is safe from any thread while the object exists, and its destructor waits for
    // this lock before it stops existing.
    if (object_ != nullptr)
        EventPoster::DeleteLater(*object_);
}

bool ThreadBoundHandle::RunUnlessReleased(const std::function<void()>& delivery)
{
    std::lock_guard lock(deliveryMutex_);
    {
        std::lock_guard stateLock(mutex_);
        if (released_)
            return false;
    }
    delivery();
    return true;
}

bool ThreadBoundHandle::IsWakeUp(const QEvent& event) { return EventPoster::HasType(event, WakeUpType); }

void ThreadBoundHandle::RunPosted()
{
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        wakeUpPending_ = false;
        batch.swap(work_);
    }
    for (std::function<void()>& work : batch)
        work();
}

void ThreadBoundHandle::Detach()
{
    std::deque<std::function<void()>> dropped;
    std::lock_guard lock(mutex_);
    object_ = nullptr;
    dropped.swap(work_);
}

}  // namespace Ixa::Base::Runtime
