// Posts the platform's own cross-thread events (wake-ups and deferred deletions) to Qt
// objects that live on other threads.
//
// Qt keeps each thread's posted events in a list guarded by a futex-based lock inside the
// uninstrumented Qt library. Race detectors cannot see that lock, so to them two threads
// posting to one thread write the list unordered, and a receiver reads an event object that
// another thread built without any ordering. Every post made here is therefore made under one
// lock of our own, and a receiver looks at the type of a posted event under that same lock:
// both hand-offs are then as ordered for race detectors as they are for Qt. Posts that Qt
// makes by itself stay outside that lock; the user-interface thread makes many (whenever a
// widget is made or shown), so calls bound for it go through UiThreadCalls instead.
// Threading and ownership: every call from any thread. The lock is the innermost of the
// platform's locks (Qt takes only its own leaf lock inside it); posted events belong to Qt.
#pragma once

#include <QEvent>
#include <QObject>

namespace Ixa::Base::Runtime {

class EventPoster {
public:
    // Queues a data-free event of the given type for the receiver's thread.
    static void Post(QObject& receiver, QEvent::Type type);
    // QObject::deleteLater under the same lock.
    static void DeleteLater(QObject& object);
    // On the receiving thread: whether a delivered event has the given type.
    static bool HasType(const QEvent& event, QEvent::Type type);
};

}  // namespace Ixa::Base::Runtime
