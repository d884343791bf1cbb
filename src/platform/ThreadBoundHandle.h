// The owner's way to a ThreadBoundObject from any thread.
//
// Post queues work for the object's thread and wakes it with a plain Qt event; the work
// itself waits in the handle's own queue, so all it carries is ordered by the handle's lock
// rather than by Qt's internals. Work still queued when the object goes is dropped unrun.
// Release asks for the object's deletion (at once on its own thread, through its loop
// elsewhere) and marks it unwanted. The object hands its events to the owner through
// RunUnlessReleased, which Release on another thread waits for, so once Release has returned
// no event reaches an owner that is gone.
// Threading and ownership: every call from any thread; shared by the owner and the object,
// it never owns the object.
#pragma once

#include <QEvent>

#include <deque>
#include <functional>
#include <mutex>

namespace Ixa::Base::Runtime {

class ThreadBoundObject;

class ThreadBoundHandle {
public:
    // Nothing else is ever sent to a ThreadBoundObject, so the first user type is unambiguous.
    static constexpr QEvent::Type WakeUpType = QEvent::User;

    explicit ThreadBoundHandle(ThreadBoundObject& object);

    ThreadBoundHandle(const ThreadBoundHandle&) = delete;
    ThreadBoundHandle& operator=(const ThreadBoundHandle&) = delete;

    // The object when it still exists and the caller is on its thread; null otherwise.
    ThreadBoundObject* ObjectOnCallerThread() const;
    // False, dropping the work, when the object is gone.
    bool Post(std::function<void()> work);
    void Release();
    // On the object's thread: runs the delivery unless the owner has let go.
    bool RunUnlessReleased(const std::function<void()>& delivery);
    // Whether an event the object received is a wake-up of Post (looked at as EventPoster
    // says, so that race detectors see the wake-up ordered).
    static bool IsWakeUp(const QEvent& event);

private:
    friend class ThreadBoundObject;

    // On the object's thread, from its wake-up event and its destructor.
    void RunPosted();
    void Detach();

    // Taken before mutex_ when both are held.
    std::mutex deliveryMutex_;
    mutable std::mutex mutex_;
    ThreadBoundObject* object_;
    std::deque<std::function<void()>> work_;
    bool wakeUpPending_ = false;
    bool released_ = false;
};

}  // namespace Ixa::Base::Runtime
