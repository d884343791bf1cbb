#include "TimedProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace TestSupport {

namespace {

using Clock = std::chrono::steady_clock;

// Slices of the wait, so that a program whose background children hold the output open is
// still seen to end.
constexpr int PollSliceMilliseconds = 50;

bool Spawn(const std::vector<std::string>& arguments, int output, pid_t& pid)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
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
    const int error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0;
}

// Appends what can be read now; false at the end of the output.
bool Drain(int input, std::string& output)
{
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(input, buffer, sizeof buffer);
        if (count > 0) {
            output.append(buffer, static_cast<size_t>(count));
            continue;
        }
        return count < 0 && (errno == EAGAIN || errno == EINTR);
    }
}

}  // namespace

TimedProcess::Outcome TimedProcess::Run(
    const std::vector<std::string>& arguments, std::chrono::milliseconds timeout)
{
    Outcome outcome;
    int pipe[2];
    if (arguments.empty() || ::pipe2(pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return outcome;
    pid_t pid = -1;
    const bool started = Spawn(arguments, pipe[1], pid);
    ::close(pipe[1]);
    if (!started) {
        ::close(pipe[0]);
        outcome.output = "cannot start " + arguments[0];
        return outcome;
    }
    const Clock::time_point deadline = Clock::now() + timeout;
    int status = 0;
    bool open = true;
    for (;;) {
        pollfd descriptor{pipe[0], POLLIN, 0};
        if (open && ::poll(&descriptor, 1, PollSliceMilliseconds) > 0)
            open = Drain(pipe[0], outcome.output);
        else if (!open)
            std::this_thread::sleep_for(std::chrono::milliseconds(PollSliceMilliseconds));
        if (::waitpid(pid, &status, WNOHANG) == pid)
            break;
        if (Clock::now() >= deadline) {
            outcome.timedOut = true;
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
    }
    if (open)
        Drain(pipe[0], outcome.output);
    ::close(pipe[0]);
    if (WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

}  // namespace TestSupport
