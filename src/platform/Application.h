// The application object and its life cycle. Execute creates Qt's application object on the
// main thread (when no one exists yet), makes the application with the factory, opens the
// handset window and runs the user-interface loop until Terminate (which SIGTERM, SIGINT and
// SIGHUP call too, on the user-interface thread, while the loop runs):
//   OnAppInitializing -> OnForeground -> (OnBackground / OnForeground)* ->
//   forms' OnTerminating -> OnAppTerminating.
// The home key sends the application to the background and back. Selecting the ongoing-
// activity entry brings it to the foreground and delivers NOTIFICATION_SELECTED_EVENT with
// the list [String kind, String text, String launch argument].
// Launch and Shutdown run the same life cycle without a loop of their own, for tests that pump
// events themselves. The argument "--screenshot-dir DIR" saves a picture after every screen
// change and whenever the screen settles after a redraw that changed it; "--report-drawn"
// writes a line on standard output when each screen change has been drawn.
//
// Threading and ownership: the life cycle runs on the user-interface (main) thread;
// SendUserEvent and Terminate may be called from any thread. The platform owns the instance,
// the frame and the resources; user events reach OnUserEventReceivedN in posting order and
// hand it their argument list.
#pragma once

#include "platform/AppFrame.h"
#include "platform/AppRegistry.h"
#include "platform/AppResource.h"
#include "platform/IList.h"

#include <string>
#include <vector>

namespace Ixa::App {

class Application;
using ApplicationInstanceFactory = Application* (*)();

enum BatteryLevel { BATTERY_FULL, BATTERY_HIGH, BATTERY_LOW, BATTERY_CRITICAL, BATTERY_EMPTY };

class Application : public Base::Object {
public:
    static constexpr int NOTIFICATION_SELECTED_EVENT = -65535;

    Application();
    ~Application() override;

    // `arguments` holds the program's arguments as Strings (null allowed); it stays the
    // caller's. Returns when the application has terminated.
    static result Execute(ApplicationInstanceFactory factory, const Base::Collection::IList* arguments);
    static Application* GetInstance();
    static AppFrame* GetAppFrame();
    static AppResource* GetAppResource();

    // Ends the application once the running event handler returns.
    result Terminate();
    // Any thread; OnUserEventReceivedN owns `args`. Fails (the caller keeps them) once the
    // application has ended.
    result SendUserEvent(int requestId, Base::Collection::IList* args);
    bool IsInBackground() const { return background_; }

    virtual bool OnAppInitializing(AppRegistry& appRegistry) = 0;
    virtual bool OnAppTerminating(AppRegistry& appRegistry, bool urgentTermination = false) = 0;
    virtual void OnForeground() {}
    virtual void OnBackground() {}
    virtual void OnLowMemory() {}
    virtual void OnBatteryLevelChanged(BatteryLevel) {}
    virtual void OnUserEventReceivedN(int requestId, Base::Collection::IList* args);

    // Platform side: the life cycle without a loop (needs a QApplication), the home key and
    // the notification entry, as the screen-test driver uses them.
    static result Launch(ApplicationInstanceFactory factory, const std::vector<std::string>& arguments);
    static void Shutdown();
    static bool IsRunning();
    static void SetInBackground(bool background);
    static result SelectOngoingActivity();

private:
    void ApplyArguments(const std::vector<std::string>& arguments);

    AppRegistry registry_;
    AppFrame frame_;
    AppResource resource_;
    bool background_ = false;
};

}  // namespace Ixa::App
