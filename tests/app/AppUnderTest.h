// The application as the screen tests run it: a fresh data directory, the device records and
// settings cleared, a screen factory installed, and VeloIM launched offscreen under the
// screen driver; shut down and cleaned up when the object goes.
// Threading: the test's main thread (the user-interface thread).
#pragma once

#include "support/ScreenDriver.h"
#include "support/TempDataDir.h"

#include "app/ScreenFactory.h"

#include <string>

class AppUnderTest {
public:
    struct Screen {
        std::string form;
        std::string title;
        bool operator==(const Screen& other) const = default;
    };

    // Launches with `factory` (borrowed), or with the application's own screens.
    explicit AppUnderTest(ScreenFactory* factory = nullptr);
    ~AppUnderTest();

    AppUnderTest(const AppUnderTest&) = delete;
    AppUnderTest& operator=(const AppUnderTest&) = delete;

    bool Launched() const { return launched_; }
    // Ends the application and starts it again over the same data directory, as a user
    // closing and reopening it would.
    bool Relaunch();
    // The visible form's name and header title.
    Screen Visible() const;
    // Whether a popup on screen shows `text` (anywhere in one of its labels).
    bool PopupShows(const std::string& text) const;

    ScreenDriver driver;

private:
    TempDataDir data_;
    bool launched_ = false;
};

std::ostream& operator<<(std::ostream& out, const AppUnderTest::Screen& screen);
