#include "net/IMSecureSocket.h"
#include "platform/SecureSocket.h"

#include "support/LoopbackPort.h"
#include "support/ScriptedTlsServer.h"
#include "support/TestCertificates.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Ixa::Net::Sockets::SecureSocket;
using TestSupport::ScriptedTlsServer;
using TestSupport::TestCertificates;
using TestSupport::TlsScript;

namespace {

// Answers the sign-in state the test sets.
class StateHolder : public ConnectionLossListener {
public:
    int getConnectionState() override { return state; }

    std::atomic<int> state{0};
};

class IMSecureSocketTest : public testing::Test {
protected:
    void SetUp() override
    {
        SecureSocket::SetConnectTimeout(2000);
        SecureSocket::SetHandshakeTimeout(1000);
    }

    void TearDown() override
    {
        unsetenv("VELOIM_CA_FILE");
        SecureSocket::SetConnectTimeout(SecureSocket::DEFAULT_TIMEOUT);
        SecureSocket::SetHandshakeTimeout(SecureSocket::DEFAULT_TIMEOUT);
    }

    static void Trust(const TestCertificates& authority)
    {
        setenv("VELOIM_CA_FILE", authority.CaFile().c_str(), 1);
    }

    static unsigned long Write(IMSecureSocket& socket, const std::string& bytes)
    {
        auto buffer = new Ixa::Base::ByteBuffer();
        buffer->Construct(static_cast<int>(bytes.size()));
        buffer->SetArray(reinterpret_cast<const Ixa::byte*>(bytes.data()), 0, static_cast<int>(bytes.size()));
        buffer->Flip();
        unsigned long result = 0x12345678;
        socket.getSocketOutputStream()->write(buffer, &result);
        return result;
    }

    // A slow reader pauses after every `pauseEvery` bytes (0: never), so the queue fills and
    // drains many times over.
    static std::string Read(IMSecureSocket& socket, size_t count, size_t pauseEvery = 0)
    {
        std::string bytes;
        while (bytes.size() < count) {
            int value = socket.getSocketInputStream()->read();
            if (value < 0) {
                break;
            }
            bytes.push_back(static_cast<char>(value));
            if (pauseEvery != 0 && bytes.size() % pauseEvery == 0) {
                std::this_thread::sleep_for(1ms);
            }
        }
        return bytes;
    }

    // Whether the queue refuses another buffer, asked through its own locked operations: a
    // probe put at the head is taken straight back.
    static bool IsFull(BlockingQueue* queue)
    {
        static Ixa::Base::ByteBuffer probe;
        unsigned long result = Ixa::E_FAILURE;
        queue->putAtHead(&probe, &result);
        if (Ixa::IsFailed(result)) {
            return true;
        }
        queue->take(&result);
        return false;
    }

    // Whether the input stream ended with the loss: once the socket is closed, the end marker
    // is queued behind anything else, and the stream is read to its end.
    static bool EndedByLoss(IMSecureSocket& socket)
    {
        IMSocketInputStream* input = socket.getSocketInputStream();
        input->putEndOfStream();
        while (input->read() != -1) {
        }
        return input->endedByLoss();
    }

    static bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(2ms);
        }
        return true;
    }
};

// Bytes that show any loss, duplication or reordering, and hold no zero byte (the input
// stream skips those): each 4-byte group spells its offset in base 255, digits 1..255.
std::string Pattern(size_t length)
{
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) {
        size_t group = i / 4;
        for (size_t digit = 0; digit < i % 4; ++digit) {
            group /= 255;
        }
        bytes[i] = static_cast<char>(1 + group % 255);
    }
    return bytes;
}

TEST_F(IMSecureSocketTest, ConnectsToAnAddressAndCarriesExactBytesBothWays)
{
    TestCertificates certificates("127.0.0.1");
    Trust(certificates);
    ScriptedTlsServer server(certificates, {TlsScript().Expect("ping").Send("pong\x01\xff")});

    IMSecureSocket socket;
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port()), 0);
    EXPECT_TRUE(socket.isConnected());
    EXPECT_EQ(Write(socket, "ping"), Ixa::E_SUCCESS);
    EXPECT_EQ(Read(socket, 6), std::string("pong\x01\xff"));
    EXPECT_TRUE(server.WaitUntilScriptDone());
    EXPECT_TRUE(server.Failures().empty());
    socket.Close();
    EXPECT_TRUE(server.WaitUntilClientClosed());
}

// The certificate is for the name; the connection goes to the resolved address. Only a
// socket that keeps the name for the handshake accepts it.
TEST_F(IMSecureSocketTest, VerifiesTheServerAgainstTheNameItResolved)
{
    TestCertificates certificates("localhost");
    Trust(certificates);
    ScriptedTlsServer server(certificates, {TlsScript().Expect("hello")});

    IMSecureSocket socket;
    ASSERT_EQ(socket.Connect("localhost", server.Port()), 0);
    EXPECT_EQ(Write(socket, "hello"), Ixa::E_SUCCESS);
    EXPECT_TRUE(server.WaitUntilScriptDone());
    EXPECT_TRUE(server.Failures().empty());
}

TEST_F(IMSecureSocketTest, FailsToConnectWithoutReportingALoss)
{
    TestCertificates otherName("other.example");
    TestCertificates otherAuthority("localhost");
    TestCertificates trusted("localhost");
    Trust(trusted);
    ScriptedTlsServer wrongName(otherName, {TlsScript()});
    ScriptedTlsServer unknownAuthority(otherAuthority, {TlsScript()});
    ScriptedTlsServer silent(trusted, {TlsScript().WithoutTls().Stall(5s)});

    struct Case {
        const char* what;
        IMString host;
        unsigned short port;
    };
    const Case cases[] = {
        {"refused port", "127.0.0.1", TestSupport::UnusedPort()},
        {"unknown host", "no-such-host.invalid", 443},
        {"certificate for another name", "localhost", wrongName.Port()},
        {"certificate from an unknown authority", "localhost", unknownAuthority.Port()},
        {"no TLS handshake", "localhost", silent.Port()},
    };
    for (const Case& attempt : cases) {
        StateHolder state;
        IMSecureSocket socket;
        socket.setConnectionObject(&state);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(socket.Connect(attempt.host, attempt.port), IMSecureSocket::FAILURE) << attempt.what;
        // Ended by the fixture's short time-outs, not by the 30 s defaults.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 25s) << attempt.what;
        EXPECT_FALSE(socket.isConnected()) << attempt.what;
        EXPECT_EQ(Write(socket, "after"), Ixa::E_FAILURE) << attempt.what;
        socket.Close();
        EXPECT_FALSE(EndedByLoss(socket)) << attempt.what;
    }
}

TEST_F(IMSecureSocketTest, EveryWriterGetsTheOutcomeOfItsOwnBytes)
{
    constexpr int Writers = 6;
    constexpr int WritesEach = 25;
    TestCertificates certificates("127.0.0.1");
    Trust(certificates);
    ScriptedTlsServer server(certificates, {TlsScript()});

    IMSecureSocket socket;
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port()), 0);
    std::vector<std::thread> writers;
    std::atomic<int> failures{0};
    for (int writer = 0; writer < Writers; ++writer) {
        writers.emplace_back([&, writer] {
            for (int i = 0; i < WritesEach; ++i) {
                std::string piece = "<" + std::to_string(writer) + ":" + std::to_string(i) + "/>";
                if (Write(socket, piece) != Ixa::E_SUCCESS) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(failures, 0);
    const auto piece = [](int writer, int i) { return "<" + std::to_string(writer) + ":" + std::to_string(i) + "/>"; };
    for (int writer = 0; writer < Writers; ++writer) {
        ASSERT_TRUE(server.WaitUntilReceived(piece(writer, WritesEach - 1)));
    }
    // Each writer's pieces arrive whole and in its own order.
    const std::string received = server.Received();
    for (int writer = 0; writer < Writers; ++writer) {
        size_t previous = 0;
        for (int i = 0; i < WritesEach; ++i) {
            const size_t at = received.find(piece(writer, i));
            ASSERT_NE(at, std::string::npos) << writer << ":" << i;
            EXPECT_GE(at, previous);
            previous = at;
        }
    }
}

// The server's last words and its close arrive together: the loss is queued behind the words,
// so the reader meets them first.
TEST_F(IMSecureSocketTest, QueuesTheLossBehindTheLastBytesAndThenFailsWritesAtOnce)
{
    TestCertificates certificates("127.0.0.1");
    Trust(certificates);
    const std::string words = Pattern(64 * 1024);
    ScriptedTlsServer server(certificates, {TlsScript().Expect("bye").Send(words).Close()});

    StateHolder state;
    IMSecureSocket socket;
    socket.setConnectionObject(&state);
    EXPECT_EQ(Write(socket, "early"), Ixa::E_FAILURE);
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port()), 0);
    EXPECT_EQ(Write(socket, "bye"), Ixa::E_SUCCESS);
    ASSERT_TRUE(server.WaitUntilScriptDone());
    ASSERT_TRUE(WaitUntil([&] { return !socket.isConnected(); }));
    const std::string received = Read(socket, words.size() + 1);
    EXPECT_TRUE(received == words);
    EXPECT_EQ(socket.getSocketInputStream()->read(), -1);
    EXPECT_TRUE(socket.getSocketInputStream()->endedByLoss());

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Write(socket, "late"), Ixa::E_FAILURE);
    // At once: it does not wait for a socket thread that has ended.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    socket.Close();
}

TEST_F(IMSecureSocketTest, ReportsNoLossAfterALogoutMarkARefusedSignInOrItsOwnClose)
{
    TestCertificates certificates("127.0.0.1");
    Trust(certificates);
    ScriptedTlsServer server(certificates,
        {TlsScript().Expect("x").Close(), TlsScript().Expect("x").Close(), TlsScript().Expect("x").Stall(10s)});

    for (int attempt = 0; attempt < 3; ++attempt) {
        StateHolder state;
        IMSecureSocket socket;
        socket.setConnectionObject(&state);
        ASSERT_EQ(socket.Connect("127.0.0.1", server.Port()), 0);
        if (attempt == 0) {
            socket.setlogOutRequest(true);
        } else if (attempt == 1) {
            state.state = ConnectionLossListener::SIGN_IN_FAILED;
        }
        EXPECT_EQ(Write(socket, "x"), Ixa::E_SUCCESS);
        if (attempt < 2) {
            // The server has closed; give the close event time to reach the socket thread.
            ASSERT_TRUE(server.WaitUntilScriptDone(10s, attempt));
            std::this_thread::sleep_for(200ms);
        }
        socket.Close();
        EXPECT_TRUE(server.WaitUntilClientClosed(10s, attempt));
        EXPECT_FALSE(EndedByLoss(socket)) << attempt;
    }
}

TEST_F(IMSecureSocketTest, CloseCutsAPendingConnectShort)
{
    SecureSocket::SetHandshakeTimeout(20000);
    TestCertificates certificates("localhost");
    Trust(certificates);
    ScriptedTlsServer silent(certificates, {TlsScript().WithoutTls().Stall(20s)});

    IMSecureSocket socket;
    auto connecting = std::async(std::launch::async, [&] { return socket.Connect("localhost", silent.Port()); });
    ASSERT_TRUE(WaitUntil([&] { return silent.Accepted() == 1; }));
    const auto start = std::chrono::steady_clock::now();
    socket.Close();
    ASSERT_EQ(connecting.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(connecting.get(), IMSecureSocket::FAILURE);
    // Well under the 20 s the stalled server would hold it (room for a loaded machine).
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST_F(IMSecureSocketTest, CloseWithoutConnectEndsQuietly)
{
    IMSecureSocket never;
    never.Close();
    never.Close();
    EXPECT_FALSE(never.isConnected());
}

// The server sends far more than the 150 queued buffers hold while nobody reads: the socket
// thread stops receiving instead of blocking, so it still carries a write, and once the
// reader takes the bytes every one of them arrives, in order.
TEST_F(IMSecureSocketTest, HoldsTheServerBackWhileTheQueueIsFullWithoutBlocking)
{
    const std::string flood = Pattern(4 * 1024 * 1024);
    TestCertificates certificates("127.0.0.1");
    Trust(certificates);
    ScriptedTlsServer server(certificates, {TlsScript().Send(flood).Expect("still here")});

    IMSecureSocket socket;
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port()), 0);
    BlockingQueue* queue = socket.getSocketInputStream()->getBlockingQueue();
    ASSERT_TRUE(WaitUntil([&] { return IsFull(queue); }));

    auto writing = std::async(std::launch::async, [&] { return Write(socket, "still here"); });
    const bool written = writing.wait_for(5s) == std::future_status::ready;
    auto reading = std::async(std::launch::async, [&] { return Read(socket, flood.size()); });
    // A lost byte would leave the read waiting for ever: end it instead.
    if (reading.wait_for(30s) != std::future_status::ready) {
        socket.getSocketInputStream()->putEndOfStream();
    }
    const std::string received = reading.get();
    ASSERT_TRUE(written) << "the socket thread was blocked";
    EXPECT_EQ(writing.get(), Ixa::E_SUCCESS);
    EXPECT_EQ(received.size(), flood.size());
    EXPECT_TRUE(received == flood);
    EXPECT_TRUE(server.WaitUntilScriptDone());
    EXPECT_TRUE(server.Failures().empty());
}

// A burst of several times the 150 queued buffers meets a reader slower than the network:
// each time the reader makes room the socket thread is told and resumes, so the burst arrives
// complete and in order, and the write behind it is answered.
TEST_F(IMSecureSocketTest, DeliversABurstToASlowReaderCompleteAndInOrder)
{
    const std::string burst = Pattern(3 * 1024 * 1024);
    TestCertificates certificates("127.0.0.1");
    Trust(certificates);
    ScriptedTlsServer server(certificates, {TlsScript().Send(burst).Expect("done")});

    IMSecureSocket socket;
    ASSERT_EQ(socket.Connect("127.0.0.1", server.Port()), 0);
    auto reading = std::async(std::launch::async, [&] { return Read(socket, burst.size(), 4096); });
    if (reading.wait_for(60s) != std::future_status::ready) {
        socket.getSocketInputStream()->putEndOfStream();
    }
    const std::string received = reading.get();
    EXPECT_EQ(received.size(), burst.size());
    EXPECT_TRUE(received == burst);
    EXPECT_EQ(Write(socket, "done"), Ixa::E_SUCCESS);
    EXPECT_TRUE(server.WaitUntilScriptDone());
    EXPECT_TRUE(server.Failures().empty());
}

}  // namespace
