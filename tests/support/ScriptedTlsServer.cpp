#include "ScriptedTlsServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>

namespace TestSupport {

namespace {

void Require(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(std::string("ScriptedTlsServer: ") + what);
}

SSL_CTX* MakeContext(const TestCertificates& certificates)
{
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    Require(context != nullptr, "cannot make a TLS context");
    const std::string& chain = certificates.CertificateFile();
    const std::string& key = certificates.KeyFile();
    const bool ready = SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION) == 1
        && SSL_CTX_use_certificate_chain_file(context, chain.c_str()) == 1
        && SSL_CTX_use_PrivateKey_file(context, key.c_str(), SSL_FILETYPE_PEM) == 1
        && SSL_CTX_check_private_key(context) == 1;
    if (!ready)
        SSL_CTX_free(context);
    Require(ready, "cannot load the server certificate");
    return context;
}

// Bound to 127.0.0.1 on a port the system picks; the port is returned through `port`.
int Listen(unsigned short& port)
{
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    Require(socket >= 0, "cannot make a socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    const bool listening = ::bind(socket, generic, sizeof address) == 0
        && ::listen(socket, 16) == 0
        && ::getsockname(socket, generic, &length) == 0;
    if (!listening)
        ::close(socket);
    Require(listening, "cannot listen on 127.0.0.1");
    port = ntohs(address.sin_port);
    return socket;
}

}  // namespace

ScriptedTlsServer::ScriptedTlsServer(
    const TestCertificates& certificates, std::vector<TlsScript> scripts)
    : scripts_(std::move(scripts))
{
    std::signal(SIGPIPE, SIG_IGN);
    context_ = MakeContext(certificates);
    try {
        listener_ = Listen(port_);
        Require(::pipe2(stopPipe_, O_CLOEXEC) == 0, "cannot make a pipe");
    } catch (...) {
        if (listener_ >= 0)
            ::close(listener_);
        SSL_CTX_free(context_);
        throw;
    }
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

ScriptedTlsServer::~ScriptedTlsServer()
{
    Stop();
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
    SSL_CTX_free(context_);
}

unsigned short ScriptedTlsServer::Port() const { return port_; }

size_t ScriptedTlsServer::Accepted() const
{
    std::lock_guard lock(mutex_);
    return accepted_;
}

size_t ScriptedTlsServer::Handshakes() const
{
    std::lock_guard lock(mutex_);
    size_t count = 0;
    for (const auto& connection : connections_)
        count += connection->HandshakeDone() ? 1 : 0;
    return count;
}

std::string ScriptedTlsServer::Received(size_t connection) const
{
    ScriptedTlsConnection* found = ConnectionAt(connection, std::chrono::milliseconds(0));
    return found != nullptr ? found->Received() : std::string();
}

std::vector<std::string> ScriptedTlsServer::Failures() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> failures;
    for (size_t index = 0; index < connections_.size(); ++index) {
        for (const std::string& failure : connections_[index]->Failures())
            failures.push_back("connection " + std::to_string(index) + ": " + failure);
    }
    return failures;
}

bool ScriptedTlsServer::WaitUntilReceived(
    const std::string& marker, std::chrono::milliseconds timeout, size_t connection) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    ScriptedTlsConnection* found = ConnectionAt(connection, timeout);
    return found != nullptr
        && found->WaitUntilReceived(marker, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                deadline - std::chrono::steady_clock::now()));
}

bool ScriptedTlsServer::WaitUntilClientClosed(
    std::chrono::milliseconds timeout, size_t connection) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    ScriptedTlsConnection* found = ConnectionAt(connection, timeout);
    return found != nullptr
        && found->WaitUntilClientClosed(std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()));
}

bool ScriptedTlsServer::WaitUntilScriptDone(
    std::chrono::milliseconds timeout, size_t connection) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    ScriptedTlsConnection* found = ConnectionAt(connection, timeout);
    return found != nullptr
        && found->WaitUntilScriptDone(std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()));
}

void ScriptedTlsServer::Stop()
{
    {
        std::lock_guard lock(mutex_);
        if (stopped_)
            return;
        stopped_ = true;
    }
    // Never read: once written, the pipe stays readable and wakes every waiting thread.
    const char stop = 1;
    while (::write(stopPipe_[1], &stop, 1) < 0 && errno == EINTR) {
    }
    acceptor_.join();
    ::close(listener_);
    // The connections stay, with their records, after their threads have ended.
    std::lock_guard lock(mutex_);
    for (auto& connection : connections_)
        connection->Join();
}

void ScriptedTlsServer::AcceptLoop()
{
    pollfd descriptors[2] = {{listener_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    for (;;) {
        if (::poll(descriptors, 2, -1) < 0 && errno != EINTR)
            return;
        if (descriptors[1].revents != 0)
            return;
        const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket >= 0)
            Serve(socket);
    }
}

void ScriptedTlsServer::Serve(int socket)
{
    {
        std::lock_guard lock(mutex_);
        const size_t index = accepted_++;
        if (index < scripts_.size()) {
            connections_.push_back(std::make_unique<ScriptedTlsConnection>(
                socket, context_, scripts_[index], stopPipe_[0], StepTimeout));
        } else {
            ::close(socket);
        }
    }
    changed_.notify_all();
}

ScriptedTlsConnection* ScriptedTlsServer::ConnectionAt(
    size_t index, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return index < connections_.size(); });
    return index < connections_.size() ? connections_[index].get() : nullptr;
}

}  // namespace TestSupport
