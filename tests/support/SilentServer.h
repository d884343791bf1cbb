// A server on 127.0.0.1 that accepts connections and never says a word: a client waiting for
// its answer (a TLS handshake, a stream header) waits until its own time-out, or until
// CloseConnections hangs up on it. For tests of what a client does while the server is silent.
// Threading: construct, query and close from one thread; an accepting thread of its own runs
// until CloseConnections or destruction. Ownership: owns its sockets and its thread.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace TestSupport {

class SilentServer {
public:
    // Listens on a free port; throws std::runtime_error when it cannot.
    SilentServer();
    ~SilentServer();

    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    unsigned short Port() const { return port_; }
    int AcceptedCount();
    // Stops listening and closes every accepted connection, so their clients see them end.
    void CloseConnections();

private:
    void Accept();

    int listener_ = -1;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};
    std::mutex lock_;
    std::vector<int> accepted_;
    std::thread thread_;
};

}  // namespace TestSupport
