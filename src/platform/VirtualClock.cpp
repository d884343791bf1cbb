#include "platform/VirtualClock.h"

#include <map>
#include <utility>

namespace Ixa::Base::Runtime {

namespace {

struct ClockState {
    bool enabled = false;
    long long now = 0;
    int lastId = 0;
    // Ordered by expiry time, then by scheduling order (the id grows).
    std::map<std::pair<long long, int>, std::function<void()>> waiting;
};

ClockState& State()
{
    static ClockState state;
    return state;
}

}  // namespace

void VirtualClock::Enable()
{
    ClockState& state = State();
    state.enabled = true;
    state.now = 0;
    state.waiting.clear();
}

void VirtualClock::Disable()
{
    State().enabled = false;
    State().waiting.clear();
}

bool VirtualClock::IsEnabled() { return State().enabled; }

long long VirtualClock::GetTime() { return State().now; }

void VirtualClock::Advance(int milliseconds)
{
    ClockState& state = State();
    const long long end = state.now + (milliseconds > 0 ? milliseconds : 0);
    while (!state.waiting.empty() && state.waiting.begin()->first.first <= end) {
        auto next = state.waiting.begin();
        state.now = next->first.first;
        std::function<void()> expiry = std::move(next->second);
        state.waiting.erase(next);
        expiry();
    }
    state.now = end;
}

long long VirtualClock::GetTimeToNextExpiry()
{
    const ClockState& state = State();
    return state.waiting.empty() ? -1 : state.waiting.begin()->first.first - state.now;
}

int VirtualClock::Schedule(int milliseconds, std::function<void()> expiry)
{
    ClockState& state = State();
    const int id = ++state.lastId;
    state.waiting.emplace(std::make_pair(state.now + (milliseconds > 0 ? milliseconds : 0), id), std::move(expiry));
    return id;
}

void VirtualClock::Cancel(int id)
{
    auto& waiting = State().waiting;
    for (auto entry = waiting.begin(); entry != waiting.end(); ++entry) {
        if (entry->first.second == id) {
            waiting.erase(entry);
            return;
        }
    }
}

}  // namespace Ixa::Base::Runtime
