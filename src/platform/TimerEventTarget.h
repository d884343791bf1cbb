// The Qt object behind a Timer: it holds the Qt timer and reports its expiry to the listener.
// On an event-driven platform thread it registers with the thread's loop, stays silent once
// that loop is closing (Qt still delivers every timer due in the round in which the loop was
// told to exit), and is disarmed by the loop as it ends.
// Threading and ownership: owned by its Timer; created, started, cancelled and expires on the
// owner thread, and destroyed there or after that thread has ended. The listener may destroy
// the Timer, and with it this object, while it is being told of the expiry; nothing here is
// touched after that call. On the user-interface thread, while the VirtualClock is enabled,
// the expiry waits on that clock instead of a Qt timer.
#pragma once

#include <QObject>

namespace Ixa::Base::Runtime {

class ITimerEventListener;
class Timer;
class ThreadEventReceiver;

class TimerEventTarget : public QObject {
public:
    TimerEventTarget(Timer& timer, ITimerEventListener& listener);
    ~TimerEventTarget() override;

    // Answers false when Qt has no timer left to give.
    bool Start(int milliseconds);
    void Cancel();
    // Called by the loop as it ends, on the owner thread.
    void Orphan();
    bool IsOrphaned() const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    bool UsesVirtualClock() const;
    void CancelVirtual();
    void Expire();

    Timer& timer_;
    ITimerEventListener& listener_;
    ThreadEventReceiver* loop_;
    int timerId_ = 0;
    int virtualId_ = 0;
    bool orphaned_ = false;
};

}  // namespace Ixa::Base::Runtime
