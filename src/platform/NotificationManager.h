// The application's notifications: the badge number shown with the application's name and
// the ongoing-activity entry in the status strip, which reopens the application with its
// launch argument when the user selects it (delivered as the user event
// Application::NOTIFICATION_SELECTED_EVENT with the list [kind, text, launch argument]).
// Thread-safety: safe from any thread.
#pragma once

#include "platform/String.h"

namespace Ixa::App {

class NotificationManager : public Base::Object {
public:
    result Construct();
    result Notify(int badgeNumber);
    int GetBadgeNumber() const;
    result NotifyOngoingActivity(const Base::String& message, const Base::String& launchArguments);
    result RemoveOngoingActivityNotification();
};

}  // namespace Ixa::App
