// The handset's system settings that the program reads: "SilentMode" (the ringer is off) and
// "24HourFormatSelected" (clock format). On the desktop they start from the environment
// (VELOIM_SILENT_MODE, VELOIM_24HOUR_FORMAT: "1" or "true" for on; off otherwise) and tests
// may set them.
// Thread-safety: safe from any thread.
#pragma once

#include "platform/String.h"

namespace Ixa::System {

class SettingInfo {
public:
    // E_OBJ_NOT_FOUND for a key the handset does not know.
    static result GetValue(const Base::String& key, bool& value);
    static result SetValue(const Base::String& key, bool value);
    // Forgets values set with SetValue, back to the environment's.
    static void ResetValues();
};

}  // namespace Ixa::System
