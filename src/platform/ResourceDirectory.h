// Where the application's resources live on this machine: the texts, pictures and sounds
// that the program names "/Res/..." or by bare name ("available.png",
// "Google/emoticons/round/30/smile.png"). The directory is $VELOIM_RES_DIR when set, else a
// "res" folder next to the executable or above it (a build tree), else the installed data
// folder beside the executable's (share/veloim), else the source tree's res/.
// Thread-safety: safe from any thread while nobody changes the environment.
#pragma once

#include "platform/String.h"

#include <string>

namespace Ixa::Io {

class ResourceDirectory {
public:
    static std::string GetPath();
    // The machine path of a resource name (UTF-8); "/Res/" and a leading "/" are dropped.
    static std::string ToNativePath(const Base::String& name);
};

}  // namespace Ixa::Io
