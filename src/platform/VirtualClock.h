// A clock that tests advance by hand. While it is enabled, the timers of the user-interface
// thread (Qt's main thread) count time on this clock instead of the real one: they expire
// only inside Advance, in the order of their expiry times, each seeing the clock at its own
// expiry. Timers of other threads always use real time.
// Threading and ownership: user-interface thread only. Enable it before the timers that
// should follow it are started; Disable drops the timers that are still waiting.
#pragma once

#include <functional>

namespace Ixa::Base::Runtime {

class VirtualClock {
public:
    static void Enable();
    static void Disable();
    static bool IsEnabled();
    // Milliseconds since the clock was enabled.
    static long long GetTime();
    // Moves the clock forward, running every timer that falls due on the way; timers started
    // by those expiries run too when they fall due before the end.
    static void Advance(int milliseconds);
    // Milliseconds until the next waiting timer, or -1 when none waits.
    static long long GetTimeToNextExpiry();

    // Platform side, for the timers: a waiting expiry and its withdrawal. Ids are never 0.
    static int Schedule(int milliseconds, std::function<void()> expiry);
    static void Cancel(int id);
};

}  // namespace Ixa::Base::Runtime
