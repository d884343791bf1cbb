// Finds the applications that can do a task for this one. The handset knows the browser
// ("ixa.appcontrol.BROWSER"), e-mail ("ixa.appcontrol.provider.email") and telephone
// ("ixa.appcontrol.provider.call") providers; any operation of theirs is accepted.
// Thread-safety: safe from any thread.
#pragma once

#include "platform/AppControl.h"

namespace Ixa::App {

class AppManager {
public:
    // Null with E_OBJ_NOT_FOUND in the last-result slot for an unknown provider.
    static AppControl* FindAppControlN(const Base::String& providerId, const Base::String& operationId);
};

}  // namespace Ixa::App
