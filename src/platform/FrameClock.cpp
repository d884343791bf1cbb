#include "platform/FrameClock.h"

#include "platform/VirtualClock.h"

#include <chrono>

namespace Ixa::Ui {

long long FrameClock::CurrentFrame() { return Now() * FramesPerSecond / 1000; }

// Frame k begins at the first whole millisecond t with t * 60 / 1000 >= k.
int FrameClock::UntilNextFrame()
{
    const long long now = Now();
    const long long next = now * FramesPerSecond / 1000 + 1;
    const long long begins = (next * 1000 + FramesPerSecond - 1) / FramesPerSecond;
    return static_cast<int>(begins - now);
}

long long FrameClock::Now()
{
    if (Base::Runtime::VirtualClock::IsEnabled()) {
        return Base::Runtime::VirtualClock::GetTime();
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace Ixa::Ui
