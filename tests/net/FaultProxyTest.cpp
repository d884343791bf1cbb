#include "support/FaultProxy.h"
#include "support/LoopbackPort.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using TestSupport::FaultProxy;
using TestSupport::LoopbackAddress;

namespace {

constexpr int PollMs = 20;
// Long enough for anything that is coming to arrive on a loaded machine.
constexpr int PatienceMs = 10000;
// How long a test looks for bytes that must not come.
constexpr int GlanceMs = 200;

// The far end of the proxy: a loopback server that echoes what each connection sends, counts
// its connections, the bytes it received and the connections that ended, and can speak first.
// A thread per connection; every socket stays open until destruction.
class EchoTarget {
public:
    EchoTarget()
    {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address = LoopbackAddress(0);
        socklen_t length = sizeof address;
        EXPECT_EQ(bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(listen(listener_, 16), 0);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        accepting_ = std::thread([this] { Accept(); });
    }

    ~EchoTarget()
    {
        stopping_ = true;
        accepting_.join();
        for (std::thread& thread : echoing_) {
            thread.join();
        }
        for (int connection : connections_) {
            close(connection);
        }
        close(listener_);
    }

    unsigned short Port() const { return port_; }

    int Connections()
    {
        std::lock_guard guard(mutex_);
        return static_cast<int>(connections_.size());
    }

    size_t Received()
    {
        std::lock_guard guard(mutex_);
        return received_;
    }

    bool WaitForEnded(int count)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(PatienceMs), [&] { return ended_ >= count; });
    }

    void Say(const std::string& bytes)
    {
        std::lock_guard guard(mutex_);
        for (int connection : connections_) {
            send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        }
    }

private:
    void Accept()
    {
        while (!stopping_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (poll(&waiting, 1, PollMs) <= 0) {
                continue;
            }
            const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                std::lock_guard guard(mutex_);
                connections_.push_back(connection);
                echoing_.emplace_back([this, connection] { Echo(connection); });
            }
        }
    }

    void Echo(int connection)
    {
        std::vector<char> buffer(64 * 1024);
        while (!stopping_) {
            pollfd waiting{connection, POLLIN, 0};
            if (poll(&waiting, 1, PollMs) <= 0) {
                continue;
            }
            const ssize_t count = recv(connection, buffer.data(), buffer.size(), 0);
            if (count <= 0) {
                std::lock_guard guard(mutex_);
                ++ended_;
                changed_.notify_all();
                return;
            }
            {
                std::lock_guard guard(mutex_);
                received_ += static_cast<size_t>(count);
            }
            send(connection, buffer.data(), static_cast<size_t>(count), MSG_NOSIGNAL);
        }
    }

    int listener_ = -1;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> connections_;
    size_t received_ = 0;
    int ended_ = 0;
    std::thread accepting_;
    // Added by the accepting thread, which is joined before them.
    std::vector<std::thread> echoing_;
};

// A plain blocking client socket on 127.0.0.1.
class Client {
public:
    explicit Client(unsigned short port) : socket_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        const sockaddr_in address = LoopbackAddress(port);
        connected_ = connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }

    ~Client() { close(socket_); }

    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    void Send(const std::string& bytes) const
    {
        size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t count = send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (count <= 0) {
                return;
            }
            sent += static_cast<size_t>(count);
        }
    }

    void ShutWrite() const { shutdown(socket_, SHUT_WR); }

    // Up to `count` bytes: fewer when the connection ends or nothing comes for a long while.
    std::string Receive(size_t count) const
    {
        std::string bytes;
        std::vector<char> buffer(64 * 1024);
        while (bytes.size() < count) {
            pollfd waiting{socket_, POLLIN, 0};
            if (poll(&waiting, 1, PatienceMs) <= 0) {
                break;
            }
            const ssize_t got = recv(socket_, buffer.data(), std::min(buffer.size(), count - bytes.size()), 0);
            if (got <= 0) {
                break;
            }
            bytes.append(buffer.data(), static_cast<size_t>(got));
        }
        return bytes;
    }

    // True when no byte and no end arrives within a short look.
    bool Silent() const
    {
        pollfd waiting{socket_, POLLIN, 0};
        return poll(&waiting, 1, GlanceMs) == 0;
    }

    // True when the connection ends (or never connected) before any byte arrives.
    bool Ends() const
    {
        if (!connected_) {
            return true;
        }
        pollfd waiting{socket_, POLLIN, 0};
        char byte = 0;
        return poll(&waiting, 1, PatienceMs) == 1 && recv(socket_, &byte, 1, 0) <= 0;
    }

    // True when what it sends comes back unchanged.
    bool Echoes(const std::string& bytes) const
    {
        Send(bytes);
        return Receive(bytes.size()) == bytes;
    }

private:
    int socket_;
    bool connected_ = false;
};

int OpenDescriptors()
{
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return static_cast<int>(std::distance(begin(entries), end(entries)));
}

// Bytes whose order shows: no run of 251 repeats.
std::string Burst(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i % 251);
    }
    return bytes;
}

// Counts the process's open descriptors when made and again when destroyed: every socket of
// the proxy and of the test's own server and clients is closed by then, whatever state the
// proxy was left in.
class DescriptorCheck {
public:
    DescriptorCheck() : before_(OpenDescriptors()) {}
    ~DescriptorCheck() { EXPECT_EQ(OpenDescriptors(), before_); }

    DescriptorCheck(const DescriptorCheck&) = delete;
    DescriptorCheck& operator=(const DescriptorCheck&) = delete;

private:
    const int before_;
};

class FaultProxyTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(proxy_.Start()); }

    // True once the proxy has accepted its `accepted`th connection and the client's probe
    // comes back through it.
    bool Forwards(const Client& client, int accepted, const std::string& probe)
    {
        return proxy_.WaitForAccepted(accepted, std::chrono::milliseconds(PatienceMs)) && client.Echoes(probe);
    }

    // Made first, checked last.
    DescriptorCheck descriptors_;
    EchoTarget target_;
    FaultProxy proxy_{target_.Port()};
};

TEST_F(FaultProxyTest, ForwardsBytesBothWaysUnchangedAndInOrder)
{
    Client client(proxy_.Port());
    ASSERT_TRUE(proxy_.WaitForAccepted(1, std::chrono::milliseconds(PatienceMs)));
    EXPECT_EQ(proxy_.OpenCount(), 1);

    EXPECT_TRUE(client.Echoes("hello"));
    const std::string unasked = "the server speaks unasked";
    target_.Say(unasked);
    EXPECT_EQ(client.Receive(unasked.size()), unasked);

    const std::string burst = Burst(4 * 1024 * 1024);
    std::thread sender([&] { client.Send(burst); });
    const std::string echoed = client.Receive(burst.size());
    sender.join();
    ASSERT_EQ(echoed.size(), burst.size());
    const auto difference = std::mismatch(echoed.begin(), echoed.end(), burst.begin());
    EXPECT_TRUE(difference.first == echoed.end()) << "differs from byte " << (difference.first - echoed.begin());

    // The client's end of stream reaches the server, which may still answer.
    client.ShutWrite();
    EXPECT_TRUE(target_.WaitForEnded(1));
    target_.Say("goodbye");
    EXPECT_EQ(client.Receive(7), "goodbye");
    EXPECT_EQ(target_.Connections(), 1);
    EXPECT_EQ(proxy_.AcceptedCount(), 1);
}

TEST_F(FaultProxyTest, CutResetsEveryConnectionAndLaterOnesWork)
{
    Client first(proxy_.Port());
    Client second(proxy_.Port());
    ASSERT_TRUE(Forwards(first, 2, "first"));
    ASSERT_TRUE(second.Echoes("second"));

    EXPECT_EQ(proxy_.Cut(), 2);
    EXPECT_EQ(proxy_.OpenCount(), 0);
    EXPECT_TRUE(first.Ends());
    EXPECT_TRUE(second.Ends());
    EXPECT_TRUE(target_.WaitForEnded(2));

    Client again(proxy_.Port());
    ASSERT_TRUE(Forwards(again, 3, "again"));
    EXPECT_EQ(proxy_.OpenCount(), 1);
    EXPECT_EQ(proxy_.Cut(), 1);
}

TEST_F(FaultProxyTest, StallHoldsBytesBothWaysUntilReleasedOrCut)
{
    Client client(proxy_.Port());
    ASSERT_TRUE(Forwards(client, 1, "ready"));

    proxy_.Stall(true);
    client.Send("one");
    client.Send("two");
    target_.Say("news");
    // A connection made while the other is stalled flows; "fresh" also crosses the target.
    Client fresh(proxy_.Port());
    EXPECT_TRUE(Forwards(fresh, 2, "fresh"));
    EXPECT_TRUE(client.Silent());
    EXPECT_EQ(target_.Received(), 10u);
    EXPECT_EQ(proxy_.OpenCount(), 2);

    // What the server said while stalled was ahead of the client's held bytes and their echo.
    proxy_.Stall(false);
    EXPECT_EQ(client.Receive(10), "newsonetwo");
    EXPECT_EQ(target_.Received(), 16u);

    proxy_.Stall(true);
    client.Send("held");
    EXPECT_EQ(proxy_.Cut(), 2);
    EXPECT_TRUE(client.Ends());
    EXPECT_TRUE(target_.WaitForEnded(2));
    EXPECT_EQ(target_.Received(), 16u);

    proxy_.Stall(false);
    Client next(proxy_.Port());
    ASSERT_TRUE(Forwards(next, 3, "next"));

    // Destroyed while stalled with a connection open: every socket is closed all the same.
    proxy_.Stall(true);
}

TEST_F(FaultProxyTest, RefusalTurnsNewConnectionsAwayAndLeavesCurrentOnesWorking)
{
    Client current(proxy_.Port());
    ASSERT_TRUE(Forwards(current, 1, "before"));

    proxy_.RefuseFor(10min);
    {
        Client refused(proxy_.Port());
        refused.Send("knock");
        EXPECT_TRUE(refused.Ends());
    }
    EXPECT_EQ(proxy_.RefusedCount(), 1);
    EXPECT_EQ(proxy_.AcceptedCount(), 1);
    EXPECT_EQ(target_.Connections(), 1);
    EXPECT_TRUE(current.Echoes("during"));

    proxy_.RefuseFor(0ms);
    Client lifted(proxy_.Port());
    ASSERT_TRUE(Forwards(lifted, 2, "lifted"));

    // A refusal that runs out lifts by itself: some attempt soon gets through.
    proxy_.RefuseFor(100ms);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(PatienceMs);
    bool through = false;
    while (!through && std::chrono::steady_clock::now() < giveUp) {
        Client attempt(proxy_.Port());
        through = attempt.Echoes("attempt");
    }
    EXPECT_TRUE(through);
    EXPECT_EQ(target_.Connections(), 3);
}

}  // namespace
