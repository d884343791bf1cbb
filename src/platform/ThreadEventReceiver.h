// The Qt side of an event-driven thread: it runs the thread's event loop and turns wake-ups
// posted from any thread into calls on the loop's own thread. Wake-ups carry no data (the
// events themselves wait in the Thread's own queue), so ordering and ownership stay with the
// Thread and Qt only ever sees plain QEvent objects.
// Threading and ownership: created, run and destroyed on the event-driven thread, on its
// stack while the loop runs. PostWakeUp may be called from any thread while it exists; the
// owning Thread guards that lifetime with its lock. Timers created on the thread register
// here (through ForCurrentThread): they stay silent once the loop is closing, and are
// disarmed on the thread when the receiver goes, since Qt cannot disarm them from the thread
// that later destroys them.
#pragma once

#include <QEventLoop>
#include <QObject>

#include <functional>
#include <vector>

namespace Ixa::Base::Runtime {

class TimerEventTarget;

class ThreadEventReceiver : public QObject {
public:
    explicit ThreadEventReceiver(std::function<void()> onWakeUp);
    ~ThreadEventReceiver() override;

    // The receiver of the calling thread's loop, or null on threads without one.
    static ThreadEventReceiver* ForCurrentThread();

    void Register(TimerEventTarget& timer);
    void Unregister(TimerEventTarget& timer);

    void PostWakeUp();
    void RunLoop();
    // Ends the loop once the handler now running returns; also before RunLoop, which then
    // returns at once.
    void Quit();
    bool IsClosing() const;

protected:
    bool event(QEvent* event) override;

private:
    std::function<void()> onWakeUp_;
    QEventLoop loop_;
    std::vector<TimerEventTarget*> timers_;
    bool closing_ = false;
};

}  // namespace Ixa::Base::Runtime
