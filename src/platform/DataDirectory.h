// Where the program's files live on this machine. The program names its files "/Home/..."
// as on the handset; here "/Home/" is the data directory: $VELOIM_HOME when set, else
// $XDG_DATA_HOME/veloim, else ~/.local/share/veloim. Any other path is taken as a path of
// this machine. The environment is read on every call, so a test can point each case at a
// fresh directory. Thread-safety: safe from any thread while nobody changes the environment.
#pragma once

#include "platform/String.h"

#include <string>

namespace Ixa::Io {

class DataDirectory {
public:
    // The data directory, or empty when neither variable nor a home directory is known.
    static std::string GetPath();
    // The machine path of `path` (UTF-8); E_INVALID_STATE when "/Home/" cannot be mapped.
    static result ToNativePath(const Base::String& path, std::string& native);
    // Creates the directory of `native` and its parents, readable by the user alone.
    static result CreateParentDirectory(const std::string& native);
};

}  // namespace Ixa::Io
