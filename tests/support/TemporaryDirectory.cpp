#include "TemporaryDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace TestSupport {

TemporaryDirectory::TemporaryDirectory(const std::string& prefix)
    : path_((std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string())
{
    if (mkdtemp(path_.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary directory for " + prefix);
}

TemporaryDirectory::~TemporaryDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

const std::string& TemporaryDirectory::Path() const { return path_; }

}  // namespace TestSupport
