// The handset's vibration motor. Start records the call in the DeviceLog and, where the
// machine has a vibrator exposed by the kernel (/sys/class/timed_output/vibrator/enable),
// runs it for the given time.
// Thread-safety: safe from any thread.
#pragma once

#include "platform/Object.h"
#include "platform/Result.h"

namespace Ixa::System {

class Vibrator : public Base::Object {
public:
    result Construct();
    // `level` 0 is the handset's default strength.
    result Start(long milliseconds, int level = 0);
    result Stop();

private:
    bool constructed_ = false;
};

}  // namespace Ixa::System
