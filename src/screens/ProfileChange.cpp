#include "screens/ProfileChange.h"

#include "app/IMManager.h"
#include "engine/GtalkRequestController.h"
#include "engine/PresenceStatus.h"

#include "store/PropertiesModel.h"

#include <memory>

bool ProfileChange::Send(PresenceStatus* changed)
{
    std::unique_ptr<PresenceStatus> owned(changed);
    PresenceStatus self = IMManager::CopySelfStatus();
    GtalkRequestController* requests = IMManager::GetRequestController();
    if (owned == nullptr || owned->Equals(&self) || requests == nullptr) {
        return false;
    }
    requests->SetClientPresence(owned.release());
    return true;
}

void ProfileChange::SetMessage(PresenceStatus& status, const Ixa::Base::String& message)
{
    Ixa::Base::String text(message);
    IMManager::GetPropertiesModel()->SetCustomMessage(text);
    status.SetCustomStatusMessage(text);
}
