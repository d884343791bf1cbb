// A monitor that is usable as soon as it is constructed, with every platform failure folded
// into 0x80000000. It keeps the platform's timer-listener and thread bases of its family of
// classes, but nothing in the program uses a timed wait, so no timer or thread ever runs.
// Thread-safety: that is its purpose; Enter is re-entrant and Wait never wakes early.
#pragma once

#include "platform/ITimerEventListener.h"
#include "platform/Monitor.h"
#include "platform/Thread.h"

class IMMonitor : public Ixa::Base::Runtime::ITimerEventListener,
                  public Ixa::Base::Runtime::Thread,
                  public Ixa::Base::Runtime::Monitor {
public:
    IMMonitor();
    ~IMMonitor() override;

    Ixa::result Construct();
    Ixa::result Enter();
    Ixa::result Exit();
    Ixa::result Wait();
    Ixa::result Notify();
    Ixa::result NotifyAll();

    void OnTimerExpired(Ixa::Base::Runtime::Timer& timer) override;
};
