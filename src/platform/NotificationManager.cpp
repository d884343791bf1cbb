#include "platform/NotificationManager.h"

#include "platform/NotificationCenter.h"

namespace Ixa::App {

result NotificationManager::Construct() { return E_SUCCESS; }

result NotificationManager::Notify(int badgeNumber)
{
    if (badgeNumber < 0)
        return E_INVALID_ARG;
    NotificationCenter::SetBadge(badgeNumber);
    return E_SUCCESS;
}

int NotificationManager::GetBadgeNumber() const { return NotificationCenter::GetBadge(); }

result NotificationManager::NotifyOngoingActivity(const Base::String& message, const Base::String& launchArguments)
{
    NotificationCenter::SetOngoing(message, launchArguments);
    return E_SUCCESS;
}

result NotificationManager::RemoveOngoingActivityNotification()
{
    NotificationCenter::RemoveOngoing();
    return E_SUCCESS;
}

}  // namespace Ixa::App
