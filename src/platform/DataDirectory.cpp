#include "platform/DataDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace Ixa::Io {

namespace {

constexpr char HOME_PREFIX[] = "/Home/";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

std::string DataDirectory::GetPath()
{
    std::string explicitHome = Environment("VELOIM_HOME");
    if (!explicitHome.empty()) {
        return explicitHome;
    }
    std::string dataHome = Environment("XDG_DATA_HOME");
    if (!dataHome.empty()) {
        return dataHome + "/veloim";
    }
    std::string userHome = Environment("HOME");
    return userHome.empty() ? std::string() : userHome + "/.local/share/veloim";
}

result DataDirectory::ToNativePath(const Base::String& path, std::string& native)
{
    std::string utf8 = path.ToUtf8();
    if (utf8.rfind(HOME_PREFIX, 0) != 0) {
        native = utf8;
        return E_SUCCESS;
    }
    std::string directory = GetPath();
    if (directory.empty()) {
        return E_INVALID_STATE;
    }
    native = directory + "/" + utf8.substr(sizeof(HOME_PREFIX) - 1);
    return E_SUCCESS;
}

result DataDirectory::CreateParentDirectory(const std::string& native)
{
    namespace fs = std::filesystem;
    fs::path parent = fs::path(native).parent_path();
    if (parent.empty()) {
        return E_SUCCESS;
    }
    std::error_code error;
    if (fs::create_directories(parent, error)) {
        fs::permissions(parent, fs::perms::owner_all, fs::perm_options::replace, error);
    }
    return fs::is_directory(parent, error) ? E_SUCCESS : E_SYSTEM;
}

}  // namespace Ixa::Io
