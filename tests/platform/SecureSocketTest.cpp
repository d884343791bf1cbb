#include "platform/Ip4Address.h"
#include "platform/SecureSocket.h"

#include "support/LoopbackPort.h"
#include "support/ScriptedTlsServer.h"
#include "support/SecureSocketClient.h"
#include "support/TestCertificates.h"
#include "support/TestEventThread.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

using namespace Ixa;
using namespace Ixa::Net;
using namespace Ixa::Net::Sockets;
using namespace std::chrono_literals;
using TestSupport::ScriptedTlsServer;
using TestSupport::SecureSocketClient;
using TestSupport::TestCertificates;
using TestSupport::TlsScript;
using Event = SecureSocketClient::Event;

namespace {

class SecureSocketTest : public testing::Test {
protected:
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
};

// Bytes that show any loss, duplication or reordering: each 4-byte group holds its offset.
std::string Pattern(size_t length)
{
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i / 4) >> (8 * (i % 4)));
    return bytes;
}

// A loopback listener that never accepts and whose queue is full, so that the system drops
// every further connection request unanswered.
class FullListener {
public:
    FullListener() : listener_(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 0);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        for (int& filler : fillers_) {
            filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
        }
    }
    ~FullListener()
    {
        for (int filler : fillers_)
            ::close(filler);
        ::close(listener_);
    }
    unsigned short Port() const { return port_; }

private:
    int listener_;
    int fillers_[4];
    unsigned short port_ = 0;
};

TEST_F(SecureSocketTest, ConnectsToTheVerifiedServerAndCarriesBytesBothWaysExactly)
{
    TestCertificates certificates("localhost");
    Trust(certificates);
    const std::string request("<stream>\0\x01\xFF\r\n", 13);
    const std::string reply = "<features>\xE2\x82\xAC</features>";
    ScriptedTlsServer server(
        certificates, {TlsScript().Expect(request).Send(reply).WaitFor("bye").Close()});
    SecureSocketClient client;

    ASSERT_EQ(client.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
    ASSERT_TRUE(client.WaitFor(Event::Connected));
    EXPECT_EQ(client.KeepAlive(), 1);
    EXPECT_EQ(client.Send(request), E_SUCCESS);
    ASSERT_TRUE(client.WaitUntilReceived(reply));
    EXPECT_EQ(client.Send("bye"), E_SUCCESS);
    ASSERT_TRUE(client.WaitFor(Event::Closed));

    EXPECT_EQ(client.ClosedReason(), NET_SOCKET_CLOSED_REASON_REMOTE_HOST);
    EXPECT_EQ(client.Received(), reply);
    EXPECT_EQ(server.Received(), request + "bye");
    EXPECT_TRUE(server.Failures().empty()) << testing::PrintToString(server.Failures());
    const std::vector<Event> events = client.Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], Event::Connected);
    EXPECT_EQ(events[1], Event::ReadyToSend);
    EXPECT_EQ(events.back(), Event::Closed);
    EXPECT_EQ(client.Count(Event::Closed), 1u);
    EXPECT_EQ(client.Count(Event::ServCertFailed), 0u);
    EXPECT_EQ(client.Send("late"), E_INVALID_STATE);
}

TEST_F(SecureSocketTest, EndsTheHandshakeWhenTheServerFailsVerification)
{
    TestCertificates localhost("localhost");
    TestCertificates otherName("other.example");
    struct Case {
        const char* name;
        const TestCertificates& server;
        const TestCertificates* trusted;
    };
    const Case cases[] = {
        {"certificate for another name", otherName, &otherName},
        {"certificate from an unknown authority", localhost, &otherName},
        {"authority in no trust store", localhost, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.trusted != nullptr)
            Trust(*c.trusted);
        else
            unsetenv("VELOIM_CA_FILE");
        ScriptedTlsServer server(c.server, {TlsScript().Send("must not arrive")});
        SecureSocketClient client;

        ASSERT_EQ(client.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
        ASSERT_TRUE(client.WaitFor(Event::Closed));
        EXPECT_EQ(client.ClosedReason(), NET_SOCKET_CLOSED_REASON_SERVER_CERT_FAILED);
        EXPECT_EQ(client.Events(), (std::vector<Event>{Event::ServCertFailed, Event::Closed}));
        EXPECT_TRUE(client.Received().empty());
        EXPECT_TRUE(server.WaitUntilScriptDone());
        EXPECT_EQ(server.Accepted(), 1u);
        EXPECT_EQ(server.Handshakes(), 0u);
    }
}

TEST_F(SecureSocketTest, ReportsARefusedPortAtOnceRatherThanAfterTheTimeOut)
{
    SecureSocketClient client;

    ASSERT_EQ(client.Connect("127.0.0.1", TestSupport::UnusedPort(), "localhost"), E_SUCCESS);
    // Well inside the 30 s connect time-out, which is left as it is.
    ASSERT_TRUE(client.WaitFor(Event::Closed, 10s));
    EXPECT_EQ(client.ClosedReason(), NET_SOCKET_CLOSED_REASON_CONNECT_FAILED);
    EXPECT_EQ(client.Events(), std::vector<Event>{Event::Closed});
}

TEST_F(SecureSocketTest, GivesUpOnAServerThatNeverAnswersTheConnectOrTheHandshake)
{
    TestCertificates certificates("localhost");
    Trust(certificates);
    ASSERT_EQ(SecureSocket::SetConnectTimeout(300), E_SUCCESS);
    ASSERT_EQ(SecureSocket::SetHandshakeTimeout(300), E_SUCCESS);

    FullListener unanswered;
    SecureSocketClient neverConnected;
    ASSERT_EQ(neverConnected.Connect("127.0.0.1", unanswered.Port(), "localhost"), E_SUCCESS);
    ASSERT_TRUE(neverConnected.WaitFor(Event::Closed));
    EXPECT_EQ(neverConnected.ClosedReason(), NET_SOCKET_CLOSED_REASON_TIMEOUT);
    EXPECT_EQ(neverConnected.Events(), std::vector<Event>{Event::Closed});

    const TlsScript neverAnswers = TlsScript().WithoutTls();
    const TlsScript notTls = TlsScript().WithoutTls().SendRaw("HTTP/1.1 400 Bad Request\r\n\r\n");
    ScriptedTlsServer server(certificates, {neverAnswers, notTls});

    SecureSocketClient silent;
    ASSERT_EQ(silent.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
    ASSERT_TRUE(silent.WaitFor(Event::Closed));
    EXPECT_EQ(silent.ClosedReason(), NET_SOCKET_CLOSED_REASON_TIMEOUT);
    EXPECT_EQ(silent.Events(), std::vector<Event>{Event::Closed});
    // The client did offer TLS (a handshake record) and then really dropped the connection.
    EXPECT_EQ(server.Received(0).substr(0, 1), "\x16");
    EXPECT_TRUE(server.WaitUntilClientClosed(5s, 0));

    SecureSocketClient answeredWithGarbage;
    ASSERT_EQ(answeredWithGarbage.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
    ASSERT_TRUE(answeredWithGarbage.WaitFor(Event::Closed));
    EXPECT_EQ(answeredWithGarbage.ClosedReason(), NET_SOCKET_CLOSED_REASON_HANDSHAKE_FAILED);
    EXPECT_EQ(answeredWithGarbage.Events(), std::vector<Event>{Event::Closed});
}

TEST_F(SecureSocketTest, EndsAnEstablishedConnectionOnceOnEachKindOfFault)
{
    TestCertificates certificates("localhost");
    Trust(certificates);
    struct Case {
        const char* name;
        TlsScript script;
        NetSocketClosedReason reason;
    };
    const Case cases[] = {
        {"reset", TlsScript().Send("hello").Abort(), NET_SOCKET_CLOSED_REASON_REMOTE_HOST},
        {"bytes that are no TLS record",
            TlsScript().Send("hello").SendRaw(std::string("\x17\x03\x03\x00\x04junk", 9)),
            NET_SOCKET_CLOSED_REASON_NETWORK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTlsServer server(certificates, {c.script});
        SecureSocketClient client;

        ASSERT_EQ(client.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
        ASSERT_TRUE(client.WaitFor(Event::Closed));
        EXPECT_EQ(client.ClosedReason(), c.reason);
        EXPECT_EQ(client.Count(Event::Closed), 1u);
        EXPECT_EQ(client.Events().back(), Event::Closed);
        EXPECT_EQ(client.Send("after the end"), E_INVALID_STATE);
    }
}

TEST_F(SecureSocketTest, RaisesReadinessAgainWhileBytesWaitAndReportsTheEndAfterThem)
{
    TestCertificates certificates("localhost");
    Trust(certificates);
    const std::string payload = Pattern(50000);
    // Two bursts, so the end is reported after bytes that came in separately.
    const TlsScript script =
        TlsScript().Send(payload.substr(0, 20000)).Stall(100ms).Send(payload.substr(20000)).Close();
    ScriptedTlsServer server(certificates, {script});
    // One small Receive per event: only repeated events can take all of it.
    SecureSocketClient client(1000);

    ASSERT_EQ(client.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
    ASSERT_TRUE(client.WaitFor(Event::Closed));
    EXPECT_EQ(client.Received(), payload);
    EXPECT_GE(client.Count(Event::ReadyToReceive), payload.size() / 1000);
    EXPECT_EQ(client.Events().back(), Event::Closed);
    EXPECT_EQ(client.ClosedReason(), NET_SOCKET_CLOSED_REASON_REMOTE_HOST);
}

TEST_F(SecureSocketTest, HoldsTheServerBackWhileNothingIsReceivedAndLosesNoByte)
{
    TestCertificates certificates("localhost");
    Trust(certificates);
    // More than the loopback's socket buffers can hold, so the server has to wait.
    const std::string payload = Pattern(16 * 1024 * 1024);
    ScriptedTlsServer server(certificates, {TlsScript().Send(payload).Close()});
    SecureSocketClient client;
    client.SetReceiving(false);

    ASSERT_EQ(client.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
    ASSERT_TRUE(client.WaitFor(Event::ReadyToReceive));
    EXPECT_FALSE(server.WaitUntilScriptDone(500ms));
    const unsigned long waiting = client.Readable();
    EXPECT_GT(waiting, 0u);
    EXPECT_LT(waiting, 1024u * 1024u);
    EXPECT_TRUE(client.Received().empty());

    client.SetReceiving(true);
    ASSERT_TRUE(client.WaitFor(Event::Closed, 60s));
    EXPECT_TRUE(client.Received() == payload) << "received " << client.Received().size();
    EXPECT_TRUE(server.WaitUntilScriptDone());
}

TEST_F(SecureSocketTest, CloseSendsWhatWasSentBeforeAndRaisesNoEventFromAnyThread)
{
    TestCertificates certificates("localhost");
    Trust(certificates);
    ScriptedTlsServer server(certificates, {TlsScript(), TlsScript().WithoutTls()});
    SecureSocketClient fromTestThread;

    ASSERT_EQ(fromTestThread.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
    ASSERT_TRUE(fromTestThread.WaitFor(Event::Connected));
    ASSERT_EQ(fromTestThread.Send("</stream:stream>"), E_SUCCESS);
    EXPECT_EQ(fromTestThread.Socket()->Close(), E_SUCCESS);
    const size_t eventsBefore = fromTestThread.Events().size();
    EXPECT_EQ(fromTestThread.Socket()->Close(), E_SUCCESS);
    ASSERT_TRUE(server.WaitUntilClientClosed(5s, 0));
    EXPECT_EQ(server.Received(0), "</stream:stream>");
    EXPECT_EQ(fromTestThread.Send("late"), E_INVALID_STATE);
    EXPECT_EQ(fromTestThread.Events().size(), eventsBefore);

    ASSERT_EQ(SecureSocket::SetHandshakeTimeout(200), E_SUCCESS);
    SecureSocketClient whileHandshaking;
    ASSERT_EQ(whileHandshaking.Connect("127.0.0.1", server.Port(), "localhost"), E_SUCCESS);
    ASSERT_TRUE(server.WaitUntilReceived("\x16", 5s, 1));
    EXPECT_EQ(whileHandshaking.Close(), E_SUCCESS);
    EXPECT_TRUE(server.WaitUntilClientClosed(5s, 1));
    // Past the handshake time-out: a socket that had not really closed would report it.
    std::this_thread::sleep_for(600ms);
    EXPECT_TRUE(whileHandshaking.Events().empty());
}

TEST_F(SecureSocketTest, RefusesMisuseWithResultCodes)
{
    SecureSocket onTestThread;
    EXPECT_EQ(onTestThread.Construct(NET_AF_IPV4, NET_SOCKET_TYPE_STREAM, NET_SOCKET_PROTOCOL_SSL),
        E_INVALID_STATE);
    EXPECT_EQ(onTestThread.Close(), E_INVALID_STATE);
    EXPECT_EQ(SecureSocket::SetConnectTimeout(0), E_INVALID_ARG);
    EXPECT_EQ(SecureSocket::SetHandshakeTimeout(-1), E_INVALID_ARG);

    TestSupport::TestEventThread thread;
    SecureSocket socket;
    thread.Run([&] {
        const auto plainTcp = static_cast<NetSocketProtocol>(1);
        EXPECT_EQ(socket.Construct(NET_AF_IPV4, NET_SOCKET_TYPE_STREAM, plainTcp), E_INVALID_ARG);
        ASSERT_EQ(socket.Construct(NET_AF_IPV4, NET_SOCKET_TYPE_STREAM, NET_SOCKET_PROTOCOL_SSL),
            E_SUCCESS);
        EXPECT_EQ(socket.Construct(NET_AF_IPV4, NET_SOCKET_TYPE_STREAM, NET_SOCKET_PROTOCOL_SSL),
            E_INVALID_STATE);
        EXPECT_EQ(socket.AsyncSelectByListener(0x08), E_INVALID_ARG);
        EXPECT_EQ(socket.SetSockOpt(NET_SOCKET_SOL_SOCKET, static_cast<NetSocketOptName>(13), 1),
            E_INVALID_ARG);
        Base::ByteBuffer buffer;
        buffer.Construct(16);
        EXPECT_EQ(socket.Receive(buffer), E_INVALID_STATE);
        EXPECT_EQ(socket.Send(buffer), E_INVALID_STATE);
        unsigned long readable = 1;
        EXPECT_EQ(socket.Ioctl(NET_SOCKET_FIONREAD, readable), E_SUCCESS);
        EXPECT_EQ(readable, 0u);
        EXPECT_EQ(socket.Connect(NetEndPoint(Ip4Address(Base::String("127.0.0.1")), TestSupport::UnusedPort())),
            E_SUCCESS);
        EXPECT_EQ(socket.Connect(NetEndPoint(Ip4Address(Base::String("127.0.0.1")), TestSupport::UnusedPort())),
            E_INVALID_STATE);
    });
    Base::ByteBuffer buffer;
    buffer.Construct(16);
    EXPECT_EQ(socket.Send(buffer), E_INVALID_STATE);
    EXPECT_EQ(socket.Receive(buffer), E_INVALID_STATE);
    EXPECT_EQ(socket.SetPeerVerifyName(Base::String("localhost")), E_INVALID_STATE);
}

}  // namespace
