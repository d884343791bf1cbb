// A fresh data directory for one benchmark run: VELOIM_HOME points into it, so every store the
// run opens lands there; it is removed with everything in it afterwards.
// Threading and ownership: the benchmark's main thread, while no other thread reads the
// environment.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

class ScratchHome {
public:
    ScratchHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "veloim-bench-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        path_ = mkdtemp(name.data()) != nullptr ? name.data() : std::string();
        setenv("VELOIM_HOME", path_.c_str(), 1);
    }
    ~ScratchHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};
