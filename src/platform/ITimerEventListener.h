// Receives the expiry of a Timer.
// Thread-safety: called on the thread the timer belongs to; the listener may destroy the timer
// from inside the call.
#pragma once

namespace Ixa::Base::Runtime {

class Timer;

class ITimerEventListener {
public:
    virtual ~ITimerEventListener() = default;
    virtual void OnTimerExpired(Timer& timer) = 0;
};

}  // namespace Ixa::Base::Runtime
