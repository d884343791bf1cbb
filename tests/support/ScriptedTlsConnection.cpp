#include "ScriptedTlsConnection.h"

#include <openssl/err.h>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <regex>

namespace TestSupport {

namespace {

constexpr size_t ChunkSize = 16384;

// Bytes for a failure message: printable ASCII as it is, the rest as \xNN, cut short.
std::string Printable(const std::string& bytes)
{
    std::string text;
    for (unsigned char ch : bytes.substr(0, 200)) {
        if (ch >= 0x20 && ch < 0x7F) {
            text += static_cast<char>(ch);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", ch);
            text += escaped;
        }
    }
    return bytes.size() > 200 ? text + "..." : text;
}

std::string Describe(const TlsScript::Step& step)
{
    const char* what = step.kind == TlsScript::Kind::Expect ? "Expect"
        : step.kind == TlsScript::Kind::ExpectNext           ? "ExpectNext"
                                                             : "WaitFor";
    return std::string(what) + " \"" + Printable(step.bytes) + "\"";
}

// The end of the tag that starts at `open` (its '>'), quotes respected; npos while incomplete.
size_t TagEnd(const std::string& bytes, size_t open)
{
    char quote = 0;
    for (size_t at = open + 1; at < bytes.size(); ++at) {
        const char ch = bytes[at];
        if (quote != 0) {
            quote = ch == quote ? 0 : quote;
        } else if (ch == '"' || ch == '\'') {
            quote = ch;
        } else if (ch == '>') {
            return at;
        }
    }
    return std::string::npos;
}

// Where the whole element (or stream header, or closing tag) that starts at `start` ends,
// one past its last byte; npos while the client has not sent all of it.
size_t StanzaEnd(const std::string& bytes, size_t start)
{
    int depth = 0;
    for (size_t at = bytes.find('<', start); at != std::string::npos; at = bytes.find('<', at)) {
        const size_t end = TagEnd(bytes, at);
        if (end == std::string::npos)
            return std::string::npos;
        const bool closing = bytes[at + 1] == '/';
        const bool empty = bytes[end - 1] == '/';
        const bool header = bytes.compare(at, 14, "<stream:stream") == 0;
        depth += closing ? -1 : empty || header ? 0 : 1;
        at = end + 1;
        if (depth <= 0)
            return at;
    }
    return std::string::npos;
}

// The client's stanza with every id it chose replaced by "#", where the expected one says so.
std::string WithPlaceholderIds(const std::string& stanza, const std::string& expected)
{
    std::string result = stanza;
    for (const char quote : {'"', '\''}) {
        const std::string placeholder = std::string(" id=") + quote + "#" + quote;
        if (expected.find(placeholder) == std::string::npos)
            continue;
        const std::regex id(std::string(" id=") + quote + "[^" + quote + "]*" + quote);
        result = std::regex_replace(result, id, placeholder);
    }
    return result;
}

}  // namespace

ScriptedTlsConnection::ScriptedTlsConnection(int socket, SSL_CTX* context, TlsScript script,
    int stopDescriptor, std::chrono::milliseconds stepTimeout)
    : socket_(socket),
      ssl_(script.UsesTls() ? SSL_new(context) : nullptr),
      script_(std::move(script)),
      stopDescriptor_(stopDescriptor),
      stepTimeout_(stepTimeout)
{
    if (ssl_ != nullptr)
        SSL_set_fd(ssl_, socket_);
    thread_ = std::thread([this] { Run(); });
}

ScriptedTlsConnection::~ScriptedTlsConnection() { Join(); }

void ScriptedTlsConnection::Join()
{
    if (thread_.joinable())
        thread_.join();
}

std::string ScriptedTlsConnection::Received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

bool ScriptedTlsConnection::HandshakeDone() const
{
    std::lock_guard lock(mutex_);
    return handshakeDone_;
}

std::vector<std::string> ScriptedTlsConnection::Failures() const
{
    std::lock_guard lock(mutex_);
    return failures_;
}

bool ScriptedTlsConnection::WaitUntilReceived(
    const std::string& marker, std::chrono::milliseconds timeout) const
{
    return WaitUntil(timeout, [&] { return received_.find(marker) != std::string::npos; });
}

bool ScriptedTlsConnection::WaitUntilClientClosed(std::chrono::milliseconds timeout) const
{
    return WaitUntil(timeout, [&] { return clientClosed_; });
}

bool ScriptedTlsConnection::WaitUntilScriptDone(std::chrono::milliseconds timeout) const
{
    return WaitUntil(timeout, [&] { return scriptDone_; });
}

void ScriptedTlsConnection::Run()
{
    bool open = ssl_ == nullptr || Handshake();
    for (const TlsScript::Step& step : script_.Steps()) {
        if (!open)
            break;
        open = Play(step);
    }
    {
        std::lock_guard lock(mutex_);
        scriptDone_ = true;
    }
    changed_.notify_all();
    if (open)
        Hold(Clock::time_point::max());
    if (ssl_ != nullptr)
        SSL_free(ssl_);
    ::close(socket_);
    ERR_clear_error();
}

bool ScriptedTlsConnection::Handshake()
{
    const Clock::time_point deadline = Clock::now() + stepTimeout_;
    for (;;) {
        const int outcome = SSL_accept(ssl_);
        if (outcome == 1)
            break;
        const int error = SSL_get_error(ssl_, outcome);
        const short events = error == SSL_ERROR_WANT_READ ? POLLIN
            : error == SSL_ERROR_WANT_WRITE                ? POLLOUT
                                                           : 0;
        // A client that rejects the certificate ends here; that is an outcome, not a fault.
        if (events == 0 || WaitFor(events, deadline) != Ready::Yes)
            return false;
    }
    {
        std::lock_guard lock(mutex_);
        handshakeDone_ = true;
    }
    changed_.notify_all();
    return true;
}

bool ScriptedTlsConnection::Play(const TlsScript::Step& step)
{
    switch (step.kind) {
    case TlsScript::Kind::Expect:
    case TlsScript::Kind::WaitFor:
        return Match(step);
    case TlsScript::Kind::ExpectNext:
        return MatchStanza(step);
    case TlsScript::Kind::Send:
        return Write(step.bytes, ssl_ != nullptr);
    case TlsScript::Kind::SendRaw:
        return Write(step.bytes, false);
    case TlsScript::Kind::Stall:
        Hold(Clock::now() + step.duration);
        return true;
    case TlsScript::Kind::Close:
        CloseOrderly();
        return false;
    case TlsScript::Kind::Abort:
        Abort();
        return false;
    }
    return false;
}

bool ScriptedTlsConnection::Match(const TlsScript::Step& step)
{
    const bool exact = step.kind == TlsScript::Kind::Expect;
    auto satisfied = [&] {
        return exact ? received_.size() - matched_ >= step.bytes.size()
                     : received_.find(step.bytes, matched_) != std::string::npos;
    };
    if (!AwaitBytes(step, satisfied))
        return false;
    std::lock_guard lock(mutex_);
    if (!exact) {
        matched_ = received_.find(step.bytes, matched_) + step.bytes.size();
        return true;
    }
    const std::string actual = received_.substr(matched_, step.bytes.size());
    if (actual != step.bytes) {
        failures_.push_back("expected \"" + Printable(step.bytes) + "\" but the client sent \""
            + Printable(actual) + "\"");
        changed_.notify_all();
        return false;
    }
    matched_ += step.bytes.size();
    return true;
}

bool ScriptedTlsConnection::MatchStanza(const TlsScript::Step& step)
{
    const size_t request = ++requests_;
    auto start = [&] { return std::min(received_.find_first_not_of(" \t\r\n", matched_), received_.size()); };
    if (!AwaitBytes(step, [&] { return StanzaEnd(received_, start()) != std::string::npos; }))
        return false;
    std::lock_guard lock(mutex_);
    const size_t from = start();
    const size_t end = StanzaEnd(received_, from);
    const std::string actual = received_.substr(from, end - from);
    matched_ = end;
    if (WithPlaceholderIds(actual, step.bytes) == step.bytes)
        return true;
    failures_.push_back("request " + std::to_string(request) + ": expected \"" + Printable(step.bytes)
        + "\" but the client sent \"" + Printable(actual) + "\"");
    changed_.notify_all();
    return false;
}

bool ScriptedTlsConnection::AwaitBytes(
    const TlsScript::Step& step, const std::function<bool()>& satisfied)
{
    const Clock::time_point deadline = Clock::now() + stepTimeout_;
    for (;;) {
        bool closed = false;
        {
            std::lock_guard lock(mutex_);
            if (satisfied())
                return true;
            closed = clientClosed_;
        }
        if (closed) {
            Fail("the client closed the connection before " + Describe(step));
            return false;
        }
        const Ready ready = WaitFor(POLLIN, deadline);
        if (ready == Ready::TimedOut)
            Fail("timed out on " + Describe(step));
        if (ready != Ready::Yes)
            return false;
        Pump();
    }
}

void ScriptedTlsConnection::Hold(Clock::time_point until)
{
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (clientClosed_)
                return;
        }
        if (WaitFor(POLLIN, until) != Ready::Yes)
            return;
        Pump();
    }
}

bool ScriptedTlsConnection::Write(const std::string& bytes, bool throughTls)
{
    size_t offset = 0;
    while (offset < bytes.size()) {
        const size_t length = std::min(ChunkSize, bytes.size() - offset);
        short events = POLLOUT;
        if (throughTls) {
            const int written = SSL_write(ssl_, bytes.data() + offset, static_cast<int>(length));
            if (written > 0) {
                offset += static_cast<size_t>(written);
                continue;
            }
            const int error = SSL_get_error(ssl_, written);
            events = error == SSL_ERROR_WANT_WRITE ? POLLOUT
                : error == SSL_ERROR_WANT_READ     ? POLLIN
                                                   : 0;
        } else {
            const ssize_t written = ::send(socket_, bytes.data() + offset, length, MSG_NOSIGNAL);
            if (written > 0) {
                offset += static_cast<size_t>(written);
                continue;
            }
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                events = 0;
        }
        if (events == 0) {
            MarkClientClosed();
            return false;
        }
        if (WaitFor(events, Clock::time_point::max()) != Ready::Yes)
            return false;
    }
    return true;
}

void ScriptedTlsConnection::CloseOrderly()
{
    if (ssl_ != nullptr)
        SSL_shutdown(ssl_);
    ::shutdown(socket_, SHUT_WR);
    // Closing a socket with unread bytes would reset the connection, so what the client
    // still sends is read (and recorded) until it closes too.
    Hold(Clock::now() + stepTimeout_);
}

void ScriptedTlsConnection::Abort()
{
    const linger immediately{1, 0};
    ::setsockopt(socket_, SOL_SOCKET, SO_LINGER, &immediately, sizeof immediately);
}

bool ScriptedTlsConnection::Pump() { return ssl_ != nullptr ? PumpTls() : PumpPlain(); }

bool ScriptedTlsConnection::PumpTls()
{
    char buffer[ChunkSize];
    for (;;) {
        const int count = SSL_read(ssl_, buffer, sizeof buffer);
        if (count > 0) {
            Append(buffer, static_cast<size_t>(count));
            continue;
        }
        const int error = SSL_get_error(ssl_, count);
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE)
            return true;
        ERR_clear_error();
        MarkClientClosed();
        return false;
    }
}

bool ScriptedTlsConnection::PumpPlain()
{
    char buffer[ChunkSize];
    for (;;) {
        const ssize_t count = ::recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (count > 0) {
            Append(buffer, static_cast<size_t>(count));
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            return true;
        MarkClientClosed();
        return false;
    }
}

ScriptedTlsConnection::Ready ScriptedTlsConnection::WaitFor(
    short events, Clock::time_point deadline)
{
    pollfd descriptors[2] = {{socket_, events, 0}, {stopDescriptor_, POLLIN, 0}};
    for (;;) {
        int timeout = -1;
        if (deadline != Clock::time_point::max()) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            timeout = static_cast<int>(std::max<long long>(0, left));
        }
        const int ready = ::poll(descriptors, 2, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || descriptors[1].revents != 0)
            return Ready::Stopped;
        // An error or hang-up on the socket is ready too: the next read or write reports it.
        return ready == 0 ? Ready::TimedOut : Ready::Yes;
    }
}

void ScriptedTlsConnection::Append(const char* data, size_t length)
{
    {
        std::lock_guard lock(mutex_);
        received_.append(data, length);
    }
    changed_.notify_all();
}

void ScriptedTlsConnection::MarkClientClosed()
{
    {
        std::lock_guard lock(mutex_);
        clientClosed_ = true;
    }
    changed_.notify_all();
}

void ScriptedTlsConnection::Fail(const std::string& message)
{
    {
        std::lock_guard lock(mutex_);
        failures_.push_back(message);
    }
    changed_.notify_all();
}

bool ScriptedTlsConnection::WaitUntil(
    std::chrono::milliseconds timeout, const std::function<bool()>& condition) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, condition);
}

}  // namespace TestSupport
