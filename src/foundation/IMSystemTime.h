// The clock as the program reads it. Thread-safety: safe from any thread.
#pragma once

#include "foundation/IMDateTime.h"
#include "platform/SystemTime.h"

class IMSystemTime {
public:
    static Ixa::result GetCurrentTime(Ixa::System::TimeMode mode, IMDateTime& now);
    static Ixa::result GetCurrentTime(IMDateTime& now);
    // Milliseconds since 1970-01-01 UTC.
    static Ixa::result GetTicks(long long& ticks);
};
