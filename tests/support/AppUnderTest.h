// The application as the screen tests run it: a fresh data directory, the device records and
// settings cleared, a screen factory installed, and VeloIM launched offscreen under the
// screen driver; shut down and cleaned up when the object goes.
//
// Given a server, the application talks to it as it would to the service: VELOIM_HOST,
// VELOIM_DOMAIN, VELOIM_PORT and VELOIM_CA_FILE name it while the object lives (restored
// afterwards), and because the connection's host and port are fixed when the program starts,
// the connection is also pointed at the server as soon as the application has set itself up,
// before its first screen can sign in. Relaunch ends the application and starts it again over
// the same data directory, as a user restarting it would.
//
// Threading: the test's main thread (the user-interface thread). Ownership: owns the data
// directory and the running application; the factory is borrowed.
#pragma once

#include "support/ScopedEnvironment.h"
#include "support/ScreenDriver.h"
#include "support/TempDataDir.h"

#include "app/ScreenFactory.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {
class LocalProsody;
}

class AppUnderTest {
public:
    struct Screen {
        std::string form;
        std::string title;
        bool operator==(const Screen& other) const = default;
    };

    // An XMPP server on 127.0.0.1, reached under `host`, which its certificate carries.
    struct Server {
        std::string host = "localhost";
        std::string domain = "localhost";
        unsigned short port = 0;
        std::string caFile;
    };

    static constexpr std::chrono::milliseconds DefaultWait{20000};

    // The local Prosody as the application reaches it.
    static Server ServerOf(const TestSupport::LocalProsody& prosody);

    // Launches with `factory` (borrowed), or with the application's own screens.
    explicit AppUnderTest(ScreenFactory* factory = nullptr);
    // The same, talking to `server`.
    explicit AppUnderTest(const Server& server, ScreenFactory* factory = nullptr);
    ~AppUnderTest();

    AppUnderTest(const AppUnderTest&) = delete;
    AppUnderTest& operator=(const AppUnderTest&) = delete;

    bool Launched() const { return launched_; }
    // Ends the application and launches it again over the same data directory; answers
    // Launched().
    bool Relaunch();
    // The visible form's name and header title.
    Screen Visible() const;
    // Whether a popup on screen shows `text` (anywhere in one of its labels).
    bool PopupShows(const std::string& text) const;
    // Pumps the user-interface thread, a frame at a time (ScreenDriver::PumpAFrame), until
    // `check` holds or `timeout` of real time has passed (the engine's threads answer in real
    // time); answers the last value of `check`.
    bool PumpUntil(const std::function<bool()>& check, std::chrono::milliseconds timeout = DefaultWait);
    const TempDataDir& Data() const { return data_; }

    ScreenDriver driver;

private:
    void Launch();
    void SetEnvironment(const char* name, const std::string& value);

    TempDataDir data_;
    ScreenFactory* factory_;
    std::optional<Server> server_;
    // Put back, last set first, once the application has shut down.
    std::vector<std::unique_ptr<TestSupport::ScopedEnvironment>> environment_;
    bool launched_ = false;
};

std::ostream& operator<<(std::ostream& out, const AppUnderTest::Screen& screen);
