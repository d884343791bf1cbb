#include "TimedProcess.h"

#include "ProcessLauncher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <thread>

namespace TestSupport {

namespace {

using Clock = std::chrono::steady_clock;

// Slices of the wait, so that a program whose background children hold the output open is
// still seen to end.
constexpr int PollSliceMilliseconds = 50;

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

std::optional<std::string> TimedProcess::Outcome::Marked(const std::string& marker) const
{
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, marker.size(), marker) == 0) {
            return line.substr(marker.size());
        }
    }
    return std::nullopt;
}

TimedProcess::Outcome TimedProcess::Run(
    const std::vector<std::string>& arguments, std::chrono::milliseconds timeout)
{
    Outcome outcome;
    int pipe[2];
    if (arguments.empty() || ::pipe2(pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return outcome;
    pid_t pid = -1;
    const bool started = ProcessLauncher::Start(arguments, -1, pipe[1], pid);
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
