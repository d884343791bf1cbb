#include "platform/DeviceLog.h"

#include <mutex>

namespace Ixa::System {

namespace {

struct LogState {
    std::mutex mutex;
    std::vector<std::string> entries;
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
}

std::vector<std::string> DeviceLog::GetEntries()
{
    std::lock_guard lock(State().mutex);
    return State().entries;
}

void DeviceLog::Clear()
{
    std::lock_guard lock(State().mutex);
    State().entries.clear();
}

}  // namespace Ixa::System
