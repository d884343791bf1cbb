// One accepted connection of the ScriptedTlsServer: it plays its script on a thread of its
// own and records what the client sends (decrypted, or the plain bytes without TLS).
// Threading and ownership: the constructor starts the thread, which owns the socket and the
// TLS session; the getters and waits may be called from any thread, Join and destruction from
// one. The thread ends when its connection ends or the stop descriptor becomes readable.
#pragma once

#include "TlsScript.h"

#include <openssl/ssl.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace TestSupport {

class ScriptedTlsConnection {
public:
    using Clock = std::chrono::steady_clock;

    // A null context with a TLS script is not allowed; the script decides whether TLS runs.
    ScriptedTlsConnection(int socket, SSL_CTX* context, TlsScript script, int stopDescriptor,
        std::chrono::milliseconds stepTimeout);
    ~ScriptedTlsConnection();

    ScriptedTlsConnection(const ScriptedTlsConnection&) = delete;
    ScriptedTlsConnection& operator=(const ScriptedTlsConnection&) = delete;

    std::string Received() const;
    bool HandshakeDone() const;
    std::vector<std::string> Failures() const;
    bool WaitUntilReceived(const std::string& marker, std::chrono::milliseconds timeout) const;
    bool WaitUntilClientClosed(std::chrono::milliseconds timeout) const;
    // The script has run to its end or failed.
    bool WaitUntilScriptDone(std::chrono::milliseconds timeout) const;
    // Waits for the thread; the records stay readable. Call once the stop descriptor is
    // readable, or when the connection is known to end.
    void Join();

private:
    enum class Ready { Yes, TimedOut, Stopped };

    void Run();
    bool Handshake();
    bool Play(const TlsScript::Step& step);
    bool AwaitBytes(const TlsScript::Step& step, const std::function<bool()>& satisfied);
    bool Match(const TlsScript::Step& step);
    bool MatchStanza(const TlsScript::Step& step);
    void Hold(Clock::time_point until);
    bool Write(const std::string& bytes, bool throughTls);
    void CloseOrderly();
    void Abort();
    // Reads everything that can be read now; false once the client has closed.
    bool Pump();
    bool PumpTls();
    bool PumpPlain();
    Ready WaitFor(short events, Clock::time_point deadline);
    void Append(const char* data, size_t length);
    void MarkClientClosed();
    void Fail(const std::string& message);
    bool WaitUntil(std::chrono::milliseconds timeout, const std::function<bool()>& condition) const;

    const int socket_;
    SSL* ssl_ = nullptr;
    const TlsScript script_;
    const int stopDescriptor_;
    const std::chrono::milliseconds stepTimeout_;
    size_t matched_ = 0;  // on the connection's thread only
    size_t requests_ = 0;  // ExpectNext steps met so far; on the connection's thread only

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::string received_;
    std::vector<std::string> failures_;
    bool handshakeDone_ = false;
    bool clientClosed_ = false;
    bool scriptDone_ = false;

    std::thread thread_;
};

}  // namespace TestSupport
