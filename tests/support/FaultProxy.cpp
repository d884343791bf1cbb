#include "support/FaultProxy.h"

#include "support/LoopbackPort.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace TestSupport {

namespace {

// Bytes held per direction of a connection; large enough that a burst of a few megabytes
// moves in few system calls.
constexpr size_t HeldBytes = 256 * 1024;

// Forwarding must not add Nagle's delays to the small writes of a chat protocol.
void SendAtOnce(int socket)
{
    const int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Closes with a reset rather than an orderly end, so the peer learns at once that the
// connection is gone.
void Reset(int socket)
{
    const linger abort{1, 0};
    setsockopt(socket, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    close(socket);
}

bool WouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }

// The sockets are close-on-exec: a server process the test starts must not inherit a copy
// that would keep a cut connection alive.
int ConnectTarget(unsigned short port)
{
    const int target = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (target < 0) {
        return -1;
    }
    const sockaddr_in address = LoopbackAddress(port);
    if (connect(target, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || fcntl(target, F_SETFL, O_NONBLOCK) != 0) {
        close(target);
        return -1;
    }
    SendAtOnce(target);
    return target;
}

}  // namespace

FaultProxy::FaultProxy(unsigned short targetPort) : targetPort_(targetPort) {}

FaultProxy::~FaultProxy()
{
    if (thread_.joinable()) {
        RunOnLoop([this] { stopping_ = true; });
        thread_.join();
    }
    CutAll();
    CloseSockets();
}

void FaultProxy::CloseSockets()
{
    for (int* descriptor : {&listener_, &wakeRead_, &wakeWrite_}) {
        if (*descriptor >= 0) {
            close(*descriptor);
            *descriptor = -1;
        }
    }
}

bool FaultProxy::Start(unsigned short listenPort)
{
    if (listener_ >= 0) {
        return false;
    }
    int wake[2];
    if (pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        return false;
    }
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    sockaddr_in address = LoopbackAddress(listenPort);
    socklen_t length = sizeof address;
    if (listener_ < 0 || setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0
        || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 16) != 0
        || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        CloseSockets();
        return false;
    }
    port_ = ntohs(address.sin_port);
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        CloseSockets();
        return false;
    }
    return true;
}

int FaultProxy::Cut()
{
    int count = 0;
    RunOnLoop([this, &count] { count = CutAll(); });
    return count;
}

void FaultProxy::Stall(bool stalled)
{
    RunOnLoop([this, stalled] {
        for (Link& link : links_) {
            link.stalled = stalled;
        }
    });
}

void FaultProxy::RefuseFor(std::chrono::milliseconds period)
{
    RunOnLoop([this, period] { refuseUntil_ = std::chrono::steady_clock::now() + period; });
}

int FaultProxy::AcceptedCount()
{
    std::lock_guard guard(mutex_);
    return accepted_;
}

int FaultProxy::OpenCount()
{
    std::lock_guard guard(mutex_);
    return open_;
}

int FaultProxy::RefusedCount()
{
    std::lock_guard guard(mutex_);
    return refused_;
}

bool FaultProxy::WaitForAccepted(int count, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return accepted_ >= count; });
}

// Before Start there is no forwarding thread and nothing to forward: the caller owns the state.
void FaultProxy::RunOnLoop(const std::function<void()>& command)
{
    if (!thread_.joinable()) {
        command();
        return;
    }
    std::unique_lock lock(mutex_);
    commands_.push_back(command);
    const unsigned long ticket = ++commandsPosted_;
    Wake();
    changed_.wait(lock, [&] { return commandsDone_ >= ticket; });
}

void FaultProxy::Wake()
{
    const char byte = 0;
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = write(wakeWrite_, &byte, 1);
}

void FaultProxy::RunCommands()
{
    char drain[64];
    while (read(wakeRead_, drain, sizeof drain) > 0) {
    }
    std::deque<std::function<void()>> commands;
    {
        std::lock_guard guard(mutex_);
        commands.swap(commands_);
    }
    for (const auto& command : commands) {
        command();
    }
    std::lock_guard guard(mutex_);
    commandsDone_ += commands.size();
    changed_.notify_all();
}

// Each connection's sockets are polled only for what can be done with them now, and not at all
// while the connection is stalled, so a socket that has hung up does not wake the loop until
// its bytes can move.
// The connections are pumped before accepting and before commands run, so the indices into the
// poll list still match and a command's effect holds from the next round on.
void FaultProxy::Run()
{
    while (!stopping_) {
        std::vector<pollfd> waiting{{wakeRead_, POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const Link& link : links_) {
            const short clientEvents = link.stalled ? 0 : Interest(link.up, link.down);
            const short targetEvents = link.stalled ? 0 : Interest(link.down, link.up);
            waiting.push_back({clientEvents != 0 ? link.client : -1, clientEvents, 0});
            waiting.push_back({targetEvents != 0 ? link.target : -1, targetEvents, 0});
        }
        if (poll(waiting.data(), waiting.size(), -1) < 0) {
            continue;
        }
        for (size_t index = links_.size(); index-- > 0;) {
            const pollfd& client = waiting[2 + 2 * index];
            const pollfd& target = waiting[3 + 2 * index];
            if (client.revents != 0 || target.revents != 0) {
                Pump(index, client.revents, target.revents);
            }
        }
        if ((waiting[1].revents & POLLIN) != 0) {
            AcceptAll();
        }
        if ((waiting[0].revents & POLLIN) != 0) {
            RunCommands();
        }
    }
}

short FaultProxy::Interest(const Direction& readFrom, const Direction& writeTo)
{
    short events = 0;
    if (!readFrom.readEnded && readFrom.end < readFrom.held.size()) {
        events |= POLLIN;
    }
    if (writeTo.start < writeTo.end) {
        events |= POLLOUT;
    }
    return events;
}

void FaultProxy::AcceptAll()
{
    for (;;) {
        const int client = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0) {
            return;
        }
        Admit(client);
    }
}

void FaultProxy::Admit(int client)
{
    if (std::chrono::steady_clock::now() < refuseUntil_) {
        {
            std::lock_guard guard(mutex_);
            ++refused_;
        }
        Reset(client);
        return;
    }
    const int target = ConnectTarget(targetPort_);
    if (target < 0) {
        Reset(client);
        return;
    }
    SendAtOnce(client);
    Link link;
    link.client = client;
    link.target = target;
    link.up.held.resize(HeldBytes);
    link.down.held.resize(HeldBytes);
    links_.push_back(std::move(link));
    std::lock_guard guard(mutex_);
    ++accepted_;
    ++open_;
    changed_.notify_all();
}

// A failed read or write means one side reset or vanished: the other side is reset too. Once
// both sides have ended their streams and everything has been delivered, both are closed.
void FaultProxy::Pump(size_t index, short clientEvents, short targetEvents)
{
    Link& link = links_[index];
    if (!Move(link.up, link.client, link.target, clientEvents)
        || !Move(link.down, link.target, link.client, targetEvents)) {
        Drop(index, true);
    } else if (link.up.writeShut && link.down.writeShut) {
        Drop(index, false);
    }
}

bool FaultProxy::Move(Direction& direction, int from, int to, short fromEvents)
{
    if ((fromEvents & (POLLIN | POLLHUP | POLLERR)) != 0 && !direction.readEnded
        && direction.end < direction.held.size() && !Read(direction, from)) {
        return false;
    }
    if (direction.start < direction.end && !Write(direction, to)) {
        return false;
    }
    if (direction.readEnded && direction.start == direction.end && !direction.writeShut) {
        shutdown(to, SHUT_WR);
        direction.writeShut = true;
    }
    return true;
}

bool FaultProxy::Read(Direction& direction, int from)
{
    const ssize_t count = recv(from, direction.held.data() + direction.end, direction.held.size() - direction.end, 0);
    if (count > 0) {
        direction.end += static_cast<size_t>(count);
    } else if (count == 0) {
        direction.readEnded = true;
    }
    return count >= 0 || WouldBlock();
}

bool FaultProxy::Write(Direction& direction, int to)
{
    const ssize_t count = send(to, direction.held.data() + direction.start, direction.end - direction.start, MSG_NOSIGNAL);
    if (count < 0) {
        return WouldBlock();
    }
    direction.start += static_cast<size_t>(count);
    if (direction.start == direction.end) {
        direction.start = 0;
        direction.end = 0;
    }
    return true;
}

void FaultProxy::Drop(size_t index, bool reset)
{
    const Link& link = links_[index];
    for (int socket : {link.client, link.target}) {
        if (reset) {
            Reset(socket);
        } else {
            close(socket);
        }
    }
    links_.erase(links_.begin() + static_cast<std::ptrdiff_t>(index));
    std::lock_guard guard(mutex_);
    --open_;
}

int FaultProxy::CutAll()
{
    const int count = static_cast<int>(links_.size());
    while (!links_.empty()) {
        Drop(links_.size() - 1, true);
    }
    return count;
}

}  // namespace TestSupport
