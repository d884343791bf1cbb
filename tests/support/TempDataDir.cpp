#include "support/TempDataDir.h"

#include <cstdlib>

TempDataDir::TempDataDir() : directory_("veloim-test")
{
    if (const char* previous = std::getenv("VELOIM_HOME")) {
        previous_ = previous;
    }
    setenv("VELOIM_HOME", directory_.Path().c_str(), 1);
}

TempDataDir::~TempDataDir()
{
    if (previous_) {
        setenv("VELOIM_HOME", previous_->c_str(), 1);
    } else {
        unsetenv("VELOIM_HOME");
    }
}

const std::string& TempDataDir::Path() const { return directory_.Path(); }

std::string TempDataDir::File(const std::string& name) const { return directory_.Path() + "/" + name; }
