#include "platform/Vibrator.h"

#include "platform/DeviceLog.h"

#include <fstream>
#include <string>

namespace Ixa::System {

namespace {

constexpr const char* MotorPath = "/sys/class/timed_output/vibrator/enable";

void RunMotor(long milliseconds)
{
    std::ofstream motor(MotorPath);
    if (motor)
        motor << milliseconds;
}

}  // namespace

result Vibrator::Construct()
{
    constructed_ = true;
    return E_SUCCESS;
}

result Vibrator::Start(long milliseconds, int level)
{
    if (!constructed_)
        return E_INVALID_STATE;
    if (milliseconds <= 0 || level < 0)
        return E_INVALID_ARG;
    DeviceLog::Record("vibrate " + std::to_string(milliseconds) + " " + std::to_string(level));
    RunMotor(milliseconds);
    return E_SUCCESS;
}

result Vibrator::Stop()
{
    if (!constructed_)
        return E_INVALID_STATE;
    RunMotor(0);
    return E_SUCCESS;
}

}  // namespace Ixa::System
