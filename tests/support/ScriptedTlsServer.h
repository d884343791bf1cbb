// A TLS server on 127.0.0.1 that plays scripts, for tests of the client's exact bytes and of
// its handling of faults.
//
// It listens on a port of the system's choosing from construction to Stop, presents the
// server certificate of a TestCertificates, and gives the n-th connection it accepts the
// n-th script (TlsScript); connections beyond the scripts are closed at once. Each
// connection runs on its own thread and records every byte the client sends.
//
//   TestCertificates certificates("localhost");
//   ScriptedTlsServer server(certificates, {TlsScript().WaitFor("ping").Send("pong")});
//   ... connect the client to server.Port() with $VELOIM_CA_FILE = certificates.CaFile() ...
//   EXPECT_TRUE(server.WaitUntilReceived("ping"));
//   EXPECT_EQ(server.Received(), "ping");
//   EXPECT_TRUE(server.Failures().empty());
//
// The process ignores SIGPIPE from the first server on, so a client that goes away while the
// server writes cannot end the test program.
// Threading and ownership: all calls from any thread; the getters keep working after Stop.
// Set-up failures throw std::runtime_error.
#pragma once

#include "ScriptedTlsConnection.h"
#include "TestCertificates.h"
#include "TlsScript.h"

#include <openssl/ssl.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace TestSupport {

class ScriptedTlsServer {
public:
    // How long a step waits for the client before it fails.
    static constexpr std::chrono::milliseconds StepTimeout{10000};
    static constexpr std::chrono::milliseconds DefaultWait{10000};

    ScriptedTlsServer(const TestCertificates& certificates, std::vector<TlsScript> scripts);
    ~ScriptedTlsServer();

    ScriptedTlsServer(const ScriptedTlsServer&) = delete;
    ScriptedTlsServer& operator=(const ScriptedTlsServer&) = delete;

    unsigned short Port() const;
    size_t Accepted() const;
    // Connections whose TLS handshake completed.
    size_t Handshakes() const;
    // What the client has sent so far on a connection (empty before it exists).
    std::string Received(size_t connection = 0) const;
    // Every script failure of every connection, each naming what was expected.
    std::vector<std::string> Failures() const;

    bool WaitUntilReceived(const std::string& marker,
        std::chrono::milliseconds timeout = DefaultWait, size_t connection = 0) const;
    bool WaitUntilClientClosed(
        std::chrono::milliseconds timeout = DefaultWait, size_t connection = 0) const;
    bool WaitUntilScriptDone(
        std::chrono::milliseconds timeout = DefaultWait, size_t connection = 0) const;

    // Stops listening and ends every connection; waits for all of their threads.
    void Stop();

private:
    void AcceptLoop();
    void Serve(int socket);
    // The connection once it exists, waiting up to the timeout for it; null otherwise.
    ScriptedTlsConnection* ConnectionAt(size_t index, std::chrono::milliseconds timeout) const;

    SSL_CTX* context_ = nullptr;
    int listener_ = -1;
    int stopPipe_[2] = {-1, -1};
    unsigned short port_ = 0;
    const std::vector<TlsScript> scripts_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<std::unique_ptr<ScriptedTlsConnection>> connections_;
    size_t accepted_ = 0;
    bool stopped_ = false;

    std::thread acceptor_;
};

}  // namespace TestSupport
