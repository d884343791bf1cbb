// The base of the Qt objects behind the platform's network services (a socket, a name
// lookup). Qt lets such an object, with its socket notifiers and timers, be used and destroyed
// only on the thread it belongs to, while the Ixa object that owns it may be closed or
// destroyed from another thread, possibly after that thread has ended.
//
// So the object is created on an event-driven platform thread and made a child of that
// thread's event receiver: the thread deletes it as its loop ends, at the latest. Its
// ThreadBoundHandle is how the owner reaches it: the handle knows whether the object still
// exists, queues work for its thread and asks for its deletion from anywhere.
// Threading and ownership: created, used and destroyed on its thread; it owns nothing of the
// Ixa side. The handle is shared with the owner and outlives the object.
#pragma once

#include <QObject>

#include <memory>

namespace Ixa::Base::Runtime {

class ThreadBoundHandle;

class ThreadBoundObject : public QObject {
public:
    // On a thread without a platform event loop the object has no parent and nobody to run
    // its work; callers check CallerHasEventLoop first.
    ThreadBoundObject();
    ~ThreadBoundObject() override;

    static bool CallerHasEventLoop();
    const std::shared_ptr<ThreadBoundHandle>& Handle() const;

protected:
    bool event(QEvent* event) override;

private:
    std::shared_ptr<ThreadBoundHandle> handle_;
};

}  // namespace Ixa::Base::Runtime
