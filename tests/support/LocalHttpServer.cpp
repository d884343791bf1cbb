#include "LocalHttpServer.h"

#include "ProcessLauncher.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace TestSupport {

namespace {

using Clock = std::chrono::steady_clock;

// Reads the server's first line ("port N"); 0 when it ends or the deadline passes first.
unsigned short ReadPort(int output, Clock::time_point deadline, std::string& seen)
{
    while (seen.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd readable{output, POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            return 0;
        char bytes[256];
        const ssize_t count = ::read(output, bytes, sizeof bytes);
        if (count <= 0)
            return 0;
        seen.append(bytes, static_cast<size_t>(count));
    }
    if (seen.compare(0, 5, "port ") != 0)
        return 0;
    const int port = std::atoi(seen.c_str() + 5);
    return port > 0 && port < 65536 ? static_cast<unsigned short>(port) : 0;
}

}  // namespace

LocalHttpServer::LocalHttpServer(std::optional<Tls> tls, std::chrono::milliseconds startTimeout)
    : secure_(tls.has_value())
{
    std::vector<std::string> arguments{"python3", VELOIM_HTTP_SERVER_SCRIPT, "--lifetime", "300"};
    if (tls) {
        arguments.insert(arguments.end(), {"--tls", tls->certificateFile, tls->keyFile});
    }
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("http server: no pipe");
    const bool started = ProcessLauncher::Start(arguments, -1, pipeEnds[1], pid_);
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
    if (!started) {
        Stop();
        throw std::runtime_error("http server: python3 could not be started");
    }
    std::string seen;
    port_ = ReadPort(output_, Clock::now() + startTimeout, seen);
    if (port_ == 0) {
        Stop();
        throw std::runtime_error("http server did not start: " + seen);
    }
}

LocalHttpServer::~LocalHttpServer() { Stop(); }

unsigned short LocalHttpServer::Port() const { return port_; }

std::string LocalHttpServer::Url(const std::string& path, const std::string& host) const
{
    return std::string(secure_ ? "https://" : "http://") + host + ":" + std::to_string(port_) + path;
}

void LocalHttpServer::Stop()
{
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }
    if (output_ >= 0) {
        ::close(output_);
        output_ = -1;
    }
}

}  // namespace TestSupport
