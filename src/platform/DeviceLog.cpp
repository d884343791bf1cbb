#include "platform/DeviceLog.h"

#include <deque>
#include <mutex>

namespace Ixa::System {

namespace {

struct LogState {
    std::mutex mutex;
    std::deque<std::string> entries;
};

LogState& State()
{
    static LogState state;
    return state;
}

}  // namespace

void DeviceLog::Record(const std::string& entry)
{
    std::lock_guard lock(State().mutex);
    State().entries.push_back(entry);
    if (State().entries.size() > MaxEntries) {
        State().entries.pop_front();
    }
}

std::vector<std::string> DeviceLog::GetEntries()
{
    std::lock_guard lock(State().mutex);
    return {State().entries.begin(), State().entries.end()};
}

void DeviceLog::Clear()
{
    std::lock_guard lock(State().mutex);
    State().entries.clear();
}

}  // namespace Ixa::System
