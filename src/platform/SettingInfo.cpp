#include "platform/SettingInfo.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace Ixa::System {

namespace {

struct Setting {
    const char* key;
    const char* variable;
};

constexpr Setting Settings[] = {
    {"SilentMode", "VELOIM_SILENT_MODE"},
    {"24HourFormatSelected", "VELOIM_24HOUR_FORMAT"},
};

struct SettingState {
    std::mutex mutex;
    std::map<std::string, bool> overrides;
};

SettingState& State()
{
    static SettingState state;
    return state;
}

const Setting* Find(const std::string& key)
{
    for (const Setting& setting : Settings) {
        if (key == setting.key)
            return &setting;
    }
    return nullptr;
}

bool FromEnvironment(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && (std::strcmp(value, "1") == 0 || std::strcmp(value, "true") == 0);
}

}  // namespace

result SettingInfo::GetValue(const Base::String& key, bool& value)
{
    const std::string name = key.ToUtf8();
    const Setting* setting = Find(name);
    if (setting == nullptr)
        return E_OBJ_NOT_FOUND;
    std::lock_guard lock(State().mutex);
    const auto found = State().overrides.find(name);
    value = found != State().overrides.end() ? found->second : FromEnvironment(setting->variable);
    return E_SUCCESS;
}

result SettingInfo::SetValue(const Base::String& key, bool value)
{
    const std::string name = key.ToUtf8();
    if (Find(name) == nullptr)
        return E_OBJ_NOT_FOUND;
    std::lock_guard lock(State().mutex);
    State().overrides[name] = value;
    return E_SUCCESS;
}

void SettingInfo::ResetValues()
{
    std::lock_guard lock(State().mutex);
    State().overrides.clear();
}

}  // namespace Ixa::System
