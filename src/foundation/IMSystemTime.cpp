#include "foundation/IMSystemTime.h"

using Ixa::System::SystemTime;

Ixa::result IMSystemTime::GetCurrentTime(Ixa::System::TimeMode mode, IMDateTime& now)
{
    return SystemTime::GetCurrentTime(mode, now);
}

Ixa::result IMSystemTime::GetCurrentTime(IMDateTime& now) { return SystemTime::GetCurrentTime(now); }

Ixa::result IMSystemTime::GetTicks(long long& ticks) { return SystemTime::GetTicks(ticks); }
