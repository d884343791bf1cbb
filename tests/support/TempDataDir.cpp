#include "support/TempDataDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

TempDataDir::TempDataDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "veloim-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary data directory");
    }
    path_ = name.data();
    if (const char* previous = std::getenv("VELOIM_HOME")) {
        previous_ = previous;
    }
    setenv("VELOIM_HOME", path_.c_str(), 1);
}

TempDataDir::~TempDataDir()
{
    if (previous_) {
        setenv("VELOIM_HOME", previous_->c_str(), 1);
    } else {
        unsetenv("VELOIM_HOME");
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

const std::string& TempDataDir::Path() const { return path_; }

std::string TempDataDir::File(const std::string& name) const { return path_ + "/" + name; }
