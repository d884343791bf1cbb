// A task another application would do for this one (open a web page, write an e-mail, call a
// number). No other application exists on this desktop handset: Start records the launch in
// the DeviceLog ("appcontrol PROVIDER OPERATION ARGUMENT...") and succeeds.
// Threading and ownership: any thread; created by AppManager::FindAppControlN for the caller.
#pragma once

#include "platform/IList.h"
#include "platform/String.h"

namespace Ixa::App {

class AppControl : public Base::Object {
public:
    AppControl(const Base::String& providerId, const Base::String& operationId);

    // `arguments` holds Strings (null allowed); it stays the caller's.
    result Start(const Base::Collection::IList* arguments);
    Base::String GetProviderId() const { return provider_; }
    Base::String GetOperationId() const { return operation_; }

private:
    Base::String provider_;
    Base::String operation_;
};

}  // namespace Ixa::App
