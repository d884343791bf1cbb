// The handset's notification state: the application's badge number and its ongoing-activity
// entry (a text and the launch argument handed back when the user selects it). The status
// strip shows it; NotificationManager changes it.
// Threading and ownership: any thread (the alert path runs on a worker thread); the change
// observer is called on the user-interface thread.
#pragma once

#include "platform/String.h"

#include <functional>

namespace Ixa::App {

class NotificationCenter {
public:
    struct Ongoing {
        bool shown = false;
        Base::String text;
        Base::String launchArgument;
    };

    static void SetBadge(int count);
    static int GetBadge();
    static void SetOngoing(const Base::String& text, const Base::String& launchArgument);
    static void RemoveOngoing();
    static Ongoing GetOngoing();
    // Called on the user-interface thread after every change; null to stop.
    static void SetObserver(std::function<void()> observer);
    // Forgets the badge and the entry (a new application run starts clean).
    static void Reset();

private:
    static void Changed();
};

}  // namespace Ixa::App
