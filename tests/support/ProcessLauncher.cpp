#include "ProcessLauncher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>

#include <string_view>

extern char** environ;

namespace TestSupport {

namespace {

// The caller's environment with `overrides` ("NAME=value") replacing the variables they name.
std::vector<char*> ChildEnvironment(const std::vector<std::string>& overrides)
{
    std::vector<char*> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const std::string_view name = variable.substr(0, variable.find('=') + 1);
        bool replaced = false;
        for (const std::string& override : overrides) {
            replaced = replaced || std::string_view(override).substr(0, name.size()) == name;
        }
        if (!replaced) {
            variables.push_back(*entry);
        }
    }
    for (const std::string& override : overrides) {
        variables.push_back(const_cast<char*>(override.c_str()));
    }
    variables.push_back(nullptr);
    return variables;
}

}  // namespace

bool ProcessLauncher::Start(const std::vector<std::string>& arguments, int input, int output, pid_t& pid,
    const std::vector<std::string>& environment)
{
    if (arguments.empty()) {
        return false;
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input == -1)
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&actions, input, 0);
    posix_spawn_file_actions_adddup2(&actions, output, 1);
    posix_spawn_file_actions_adddup2(&actions, output, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
    const int error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), ChildEnvironment(environment).data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0;
}

}  // namespace TestSupport
