// The record of what the program asked of the handset's devices and of other applications:
// vibrations, sounds played and applications launched. On a desktop without a vibrator,
// loudspeaker or those applications the calls succeed and leave only this record, so tests
// (and a person reading a run) can see them. Entries are plain text, for example
// "vibrate 1000 0", "play /Res/msn_newmsg.amr",
// "appcontrol ixa.appcontrol.BROWSER ixa.appcontrol.operation.DEFAULT url:http://x".
// A program that runs for weeks plays an alert per message, so only the newest
// `MaxEntries` entries are kept; older ones are dropped first.
// Thread-safety: safe from any thread.
#pragma once

#include <string>
#include <vector>

namespace Ixa::System {

class DeviceLog {
public:
    static constexpr size_t MaxEntries = 1024;

    static void Record(const std::string& entry);
    static std::vector<std::string> GetEntries();
    static void Clear();
};

}  // namespace Ixa::System
