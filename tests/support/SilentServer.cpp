#include "support/SilentServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace TestSupport {

namespace {

constexpr int PollMs = 20;

}  // namespace

SilentServer::SilentServer()
{
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0
        || listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ >= 0) {
            close(listener_);
        }
        throw std::runtime_error("the silent server cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Accept(); });
}

SilentServer::~SilentServer() { CloseConnections(); }

void SilentServer::Accept()
{
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, PollMs) <= 0) {
            continue;
        }
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection >= 0) {
            std::lock_guard<std::mutex> guard(lock_);
            accepted_.push_back(connection);
        }
    }
}

int SilentServer::AcceptedCount()
{
    std::lock_guard<std::mutex> guard(lock_);
    return static_cast<int>(accepted_.size());
}

void SilentServer::CloseConnections()
{
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (listener_ >= 0) {
        close(listener_);
        listener_ = -1;
    }
    std::lock_guard<std::mutex> guard(lock_);
    for (int connection : accepted_) {
        close(connection);
    }
    accepted_.clear();
}

}  // namespace TestSupport
