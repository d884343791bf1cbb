#include "platform/AppManager.h"

namespace Ixa::App {

AppControl* AppManager::FindAppControlN(const Base::String& providerId, const Base::String& operationId)
{
    static const char* const providers[] = {
        "ixa.appcontrol.BROWSER", "ixa.appcontrol.provider.email", "ixa.appcontrol.provider.call"};
    for (const char* provider : providers) {
        if (providerId == Base::String(provider)) {
            SetLastResult(E_SUCCESS);
            return new AppControl(providerId, operationId);
        }
    }
    SetLastResult(E_OBJ_NOT_FOUND);
    return nullptr;
}

}  // namespace Ixa::App
