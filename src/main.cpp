// The veloim program: the handset application in a 480 x 800 window, or with no display
// when QT_QPA_PLATFORM=offscreen. The options are listed in Usage below.
#include "app/ScreenStates.h"
#include "app/VeloIM.h"
#include "screens/AppScreenFactory.h"
#include "screens/StartupChat.h"

#include "platform/DataDirectory.h"
#include "platform/ResourceDirectory.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const Usage =
    "Usage: veloim [--screenshot-dir DIR] [--report-drawn] [--chat ADDRESS [--send TEXT]]\n"
    "\n"
    "An instant-messaging client on a touch-screen handset, shown as a 480 x 800 window.\n"
    "Set QT_QPA_PLATFORM=offscreen to run without a display.\n"
    "\n"
    "  --screenshot-dir DIR  save a PNG of the screen after every screen change, and\n"
    "                        whenever the screen settles after it changed\n"
    "  --report-drawn        print \"drawn SCREEN MS\" once each screen change is drawn,\n"
    "                        MS on the system's monotonic clock in milliseconds\n"
    "  --chat ADDRESS        once signed in, open the chat with this contact\n"
    "                        (an address without @ gets VELOIM_DOMAIN)\n"
    "  --send TEXT           send TEXT in that chat, as if typed and sent\n"
    "  --help                show this text and exit\n"
    "  --version             show the version and exit\n"
    "\n"
    "Environment: VELOIM_HOST, VELOIM_PORT and VELOIM_DOMAIN name the XMPP server (TLS from\n"
    "the first byte), VELOIM_CA_FILE adds trusted authorities (PEM), VELOIM_HOME holds the\n"
    "database files and VELOIM_RES_DIR the pictures, texts and sounds.\n";

const char* const Version = "veloim 1.0.0\n";

}  // namespace

int main(int argc, char** argv)
{
    std::string chat;
    std::string text;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(Usage, stdout);
            std::printf("\nData:      %s\nResources: %s\n", Ixa::Io::DataDirectory::GetPath().c_str(),
                Ixa::Io::ResourceDirectory::GetPath().c_str());
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(Version, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--chat") == 0 && hasValue) {
            chat = argv[++i];
        } else if (std::strcmp(argv[i], "--send") == 0 && hasValue) {
            text = argv[++i];
        }
    }
    if (!text.empty() && chat.empty()) {
        std::fputs("veloim: --send needs --chat ADDRESS\n", stderr);
        return 2;
    }
    StartupChat::Set(chat, text);
    AppScreenFactory screens;
    ScreenStates::setScreenFactory(&screens);
    const int outcome = IxaMain(argc, argv);
    ScreenStates::setScreenFactory(nullptr);
    StartupChat::Clear();
    return outcome == 0 ? 0 : 1;
}
