// Brings up the platform for one program run. Qt only runs event loops (the event-driven
// threads and their timers) while an application object exists, so every program, test
// runner and tool creates one session in main before it starts any thread. Programs that show
// controls (the user-interface tests) ask for the widget kind, which creates Qt's widget
// application object; without a display it draws offscreen.
// Threading and ownership: create and destroy on the main thread, outliving every platform
// thread. The session owns the application object only when it had to create one.
#pragma once

#include <memory>

class QCoreApplication;

namespace Ixa {

class PlatformSession {
public:
    enum class Kind { Console, Widgets };

    // Qt keeps a reference to argc, so it must outlive the session (main's own does).
    PlatformSession(int& argc, char** argv, Kind kind = Kind::Console);
    ~PlatformSession();

    PlatformSession(const PlatformSession&) = delete;
    PlatformSession& operator=(const PlatformSession&) = delete;

private:
    std::unique_ptr<QCoreApplication> application_;
};

}  // namespace Ixa
