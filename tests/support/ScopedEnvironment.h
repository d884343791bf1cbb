// Sets an environment variable for as long as the object lives, then puts back what was there.
// A fixture declares it before any member that starts threads: the environment must not change
// while other threads may read it, since setenv can move the table a running getenv walks.
// Threading and ownership: made and destroyed on the test's thread while no other thread runs
// that reads the environment; owns copies of the name and the earlier value.
#pragma once

#include <optional>
#include <string>

namespace TestSupport {

class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value);
    ~ScopedEnvironment();

    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace TestSupport
