// The veloim program: the handset application in a 480 x 800 window, or with no display
// when QT_QPA_PLATFORM=offscreen. "--screenshot-dir DIR" saves a picture of the screen after
// every screen change.
#include "app/ScreenStates.h"
#include "app/VeloIM.h"
#include "screens/AppScreenFactory.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const Usage =
    "Usage: veloim [--screenshot-dir DIR]\n"
    "\n"
    "An instant-messaging client on a touch-screen handset, shown as a 480 x 800 window.\n"
    "Set QT_QPA_PLATFORM=offscreen to run without a display.\n"
    "\n"
    "  --screenshot-dir DIR  save a PNG of the screen after every screen change\n"
    "  --help                show this text and exit\n"
    "  --version             show the version and exit\n";

const char* const Version = "veloim 1.0.0\n";

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(Version, stdout);
            return 0;
        }
    }
    AppScreenFactory screens;
    ScreenStates::setScreenFactory(&screens);
    const int outcome = IxaMain(argc, argv);
    ScreenStates::setScreenFactory(nullptr);
    return outcome == 0 ? 0 : 1;
}
