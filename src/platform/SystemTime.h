// The wall clock. UTC_TIME gives Coordinated Universal Time, WALL_TIME and STANDARD_TIME the
// local time of the machine's time zone (with and without daylight saving). GetTicks gives
// milliseconds since 1970-01-01 UTC. Thread-safety: safe from any thread.
#pragma once

#include "platform/DateTime.h"

namespace Ixa::System {

enum TimeMode { UTC_TIME = 0, WALL_TIME = 1, STANDARD_TIME = 2 };

class SystemTime {
public:
    static result GetCurrentTime(TimeMode mode, Base::DateTime& now);
    static result GetCurrentTime(Base::DateTime& now);
    static result GetTicks(long long& ticks);
    // Offset of local time from UTC at the given UTC instant, in minutes.
    static int GetLocalOffsetMinutes(long long utcMilliseconds, bool withDaylightSaving);
};

}  // namespace Ixa::System
