#include "platform/SystemTime.h"

#include <chrono>
#include <ctime>

namespace Ixa::System {

result SystemTime::GetTicks(long long& ticks)
{
    using namespace std::chrono;
    ticks = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return E_SUCCESS;
}

int SystemTime::GetLocalOffsetMinutes(long long utcMilliseconds, bool withDaylightSaving)
{
    std::time_t seconds = static_cast<std::time_t>(utcMilliseconds / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    long offsetSeconds = local.tm_gmtoff;
    if (!withDaylightSaving && local.tm_isdst > 0) {
        offsetSeconds -= 3600;
    }
    return static_cast<int>(offsetSeconds / 60);
}

result SystemTime::GetCurrentTime(TimeMode mode, Base::DateTime& now)
{
    long long ticks = 0;
    GetTicks(ticks);
    if (mode != UTC_TIME) {
        ticks += GetLocalOffsetMinutes(ticks, mode == WALL_TIME) * 60000LL;
    }
    return now.SetValue(ticks);
}

result SystemTime::GetCurrentTime(Base::DateTime& now) { return GetCurrentTime(UTC_TIME, now); }

}  // namespace Ixa::System
