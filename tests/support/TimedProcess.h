// Runs an external program to its end under a time-out and collects what it writes to its
// standard output and error (together). The program runs in a process group of its own, which
// is killed when the time-out passes; its standard input is /dev/null and SIGPIPE is back to
// its default. Output that a program's own background children keep writing is not waited
// for: collection ends when the program itself has ended.
//
// Programs and the libraries they load add lines of their own (warnings about optional
// modules, deprecations), so a caller finds the program's answer by its marker line with
// Marked, never by comparing the whole output.
// Threading: Run may be called from any thread and blocks until the program is gone.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace TestSupport {

class TimedProcess {
public:
    struct Outcome {
        int exitCode = -1;  // -1 when killed by a signal or never started
        bool timedOut = false;
        std::string output;

        bool Succeeded() const { return exitCode == 0 && !timedOut; }
        // The rest of the first output line that starts with `marker`; null when no line does.
        std::optional<std::string> Marked(const std::string& marker) const;
    };

    // arguments[0] is looked up in PATH.
    static Outcome Run(
        const std::vector<std::string>& arguments, std::chrono::milliseconds timeout);
};

}  // namespace TestSupport
