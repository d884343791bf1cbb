// A fresh, empty data directory for one test: VELOIM_HOME points into it while the object
// lives, so every "/Home/..." file the code under test opens lands there. The directory and
// everything in it is removed, and VELOIM_HOME restored, on destruction.
// Threading: create and destroy on the test's main thread while no other thread reads the
// environment.
#pragma once

#include "support/TemporaryDirectory.h"

#include <optional>
#include <string>

class TempDataDir {
public:
    TempDataDir();
    ~TempDataDir();

    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;

    const std::string& Path() const;
    // The machine path of a file in the directory.
    std::string File(const std::string& name) const;

private:
    TestSupport::TemporaryDirectory directory_;
    std::optional<std::string> previous_;
};
