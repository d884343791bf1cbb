#include "platform/AppControl.h"

#include "platform/DeviceLog.h"

namespace Ixa::App {

AppControl::AppControl(const Base::String& providerId, const Base::String& operationId)
    : provider_(providerId), operation_(operationId)
{
}

result AppControl::Start(const Base::Collection::IList* arguments)
{
    std::string entry = "appcontrol " + provider_.ToUtf8() + " " + operation_.ToUtf8();
    const int count = arguments != nullptr ? arguments->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        const auto* argument = dynamic_cast<const Base::String*>(arguments->GetAt(i));
        if (argument == nullptr)
            return E_INVALID_ARG;
        entry += " " + argument->ToUtf8();
    }
    System::DeviceLog::Record(entry);
    return E_SUCCESS;
}

}  // namespace Ixa::App
