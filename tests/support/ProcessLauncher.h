// Starts a child program the way every test fixture wants it: in a process group of its own
// (so the whole group can be killed), with SIGPIPE back to its default, standard input from a
// given descriptor (or /dev/null), standard output and error both into one descriptor, and the
// caller's environment with some variables set for the child alone (the caller's own
// environment never changes, so threads reading it meanwhile are safe).
// Threading: any thread. Ownership: the caller keeps its descriptors and must reap the child.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace TestSupport {

class ProcessLauncher {
public:
    // arguments[0] is looked up in PATH. `input` -1 means /dev/null. `environment` holds
    // "NAME=value" entries that replace or add to the caller's. False when the program could
    // not be started.
    static bool Start(const std::vector<std::string>& arguments, int input, int output, pid_t& pid,
        const std::vector<std::string>& environment = {});
};

}  // namespace TestSupport
