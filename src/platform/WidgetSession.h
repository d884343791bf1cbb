// The platform session of a program that shows controls: Qt's widget application object,
// drawing offscreen when there is no display.
// Threading and ownership: as PlatformSession.
#pragma once

#include "platform/PlatformSession.h"

namespace Ixa {

class WidgetSession : public PlatformSession {
public:
    // Qt keeps a reference to argc, so it must outlive the session (main's own does).
    WidgetSession(int& argc, char** argv);
};

}  // namespace Ixa
