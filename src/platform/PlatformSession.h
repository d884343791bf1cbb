// Brings up the platform for one program run. Qt only runs event loops (the event-driven
// threads and their timers) while an application object exists, so every program, test
// runner and tool creates one session in main before it starts any thread. This one makes
// Qt's console application object, which is all that threads, timers, sockets and databases
// need; programs that show controls use WidgetSession, which makes the widget kind.
// Threading and ownership: create and destroy on the main thread, outliving every platform
// thread. The session owns the application object only when it had to create one.
#pragma once

#include <memory>

class QCoreApplication;

namespace Ixa {

class PlatformSession {
public:
    // Qt keeps a reference to argc, so it must outlive the session (main's own does).
    PlatformSession(int& argc, char** argv);
    ~PlatformSession();

    PlatformSession(const PlatformSession&) = delete;
    PlatformSession& operator=(const PlatformSession&) = delete;

protected:
    // Takes the application object a subclass made, or null when one existed already.
    explicit PlatformSession(std::unique_ptr<QCoreApplication> application);

private:
    std::unique_ptr<QCoreApplication> application_;
};

}  // namespace Ixa
