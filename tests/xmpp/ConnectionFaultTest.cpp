// Faults on the way to and after a sign-in, and logouts at awkward moments: each ends in
// "connectionError" or in nothing at all, within the short time-outs, and the connection
// signs in again afterwards. ASan and TSan runs of these catch leaks, races and deadlocks.
#include "ConnectionFixture.h"
#include "platform/SecureSocket.h"
#include "support/LoopbackPort.h"
#include "xmpp/RosterManager.h"

#include <functional>
#include <thread>

using namespace std::chrono_literals;
using namespace std::string_literals;
using TestSupport::ScriptedTlsServer;
using TestSupport::TestCertificates;
using TestSupport::TlsScript;
using Names = std::vector<std::string>;

namespace {

class ConnectionFaultTest : public ConnectionFixture {
protected:
    // Signs in once more against a good server, as the user would after an error.
    void expectSignInWorks()
    {
        ScriptedTlsServer good(certificates_, {ScriptedSignIn::signIn()});
        const size_t before = controller_.Count("signin");
        ASSERT_TRUE(signIn(good.Port(), before + 1));
        EXPECT_TRUE(connection_->isInitialized());
        connection_->logout();
        EXPECT_TRUE(good.WaitUntilClientClosed());
        EXPECT_TRUE(good.Failures().empty());
    }

    static void runFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }
};

// Up to the client's authentication element, then the fault.
TlsScript afterAuth()
{
    TlsScript script;
    script.Expect(ScriptedSignIn::clientHeader()).Expect(ScriptedSignIn::clientAuth());
    return script;
}

TEST_F(ConnectionFaultTest, FailuresToConnectEndInAConnectionErrorAndTheNextSignInWorks)
{
    TestCertificates otherName("other.example");
    TestCertificates otherAuthority("localhost");
    ScriptedTlsServer wrongName(otherName, {TlsScript()});
    ScriptedTlsServer unknownAuthority(otherAuthority, {TlsScript()});
    ScriptedTlsServer noHandshake(certificates_, {TlsScript().WithoutTls().Stall(5s)});
    ScriptedTlsServer notTls(certificates_, {TlsScript().WithoutTls().Send("HTTP/1.1 400 Bad Request\r\n\r\n")});

    struct Case {
        const char* what;
        const char* host;
        unsigned short port;
    };
    const Case cases[] = {
        {"refused port", "localhost", TestSupport::UnusedPort()},
        {"unknown host", "no-such-host.invalid", 443},
        {"certificate for another name", "localhost", wrongName.Port()},
        {"certificate from an unknown authority", "localhost", unknownAuthority.Port()},
        {"TCP accepted, TLS never answered", "localhost", noHandshake.Port()},
        {"garbage instead of TLS", "localhost", notTls.Port()},
    };
    for (const Case& attempt : cases) {
        controller_.Clear();
        connection_->setServerAddress(IMString(attempt.host), attempt.port);
        IMString user(ScriptedSignIn::USER.c_str());
        IMString password(ScriptedSignIn::PASSWORD.c_str());
        const auto start = std::chrono::steady_clock::now();
        connection_->login(&user, &password);
        ASSERT_TRUE(controller_.WaitFor("connectionError")) << attempt.what;
        // Ended by the fixture's short time-outs, not by the 30 s defaults (with room for a
        // loaded machine).
        EXPECT_LT(std::chrono::steady_clock::now() - start, 25s) << attempt.what;
        EXPECT_FALSE(connection_->isInitialized()) << attempt.what;
        closeAfterError();
        EXPECT_EQ(controller_.Names(), Names{"connectionError"}) << attempt.what;
    }
    expectSignInWorks();
}

TEST_F(ConnectionFaultTest, TheServerEndingTheStreamEndsInAConnectionError)
{
    // After a sign-in the server waits for the roster request the test makes, so the fault
    // comes after the "signin" notification.
    const auto signedIn = [] { return ScriptedSignIn::signIn().WaitFor("jabber:iq:roster"); };
    ScriptedTlsServer server(certificates_,
        {afterAuth().Send(ScriptedSignIn::serverHeader() +
                          "<stream:error><not-authorized xmlns='urn:ietf:params:xml:ns:xmpp-streams'/></stream:error>"
                          "</stream:stream>").Close(),
            signedIn().Send("<message from='bob@example.org' type='chat'><body>hal").Close(),
            signedIn().SendRaw("\x17\x03\x03\x00\x05garbage on the wire"s),
            signedIn().Send("\x01\x02 not xml at all <<<>>> &&& \xff\xfe").Abort(),
            afterAuth().Abort()});

    const std::vector<Names> expected = {
        {"connectionError"},
        {"signin", "connectionError"},
        {"signin", "connectionError"},
        {"signin", "connectionError"},
        {"connectionError"},
    };
    for (size_t attempt = 0; attempt < expected.size(); ++attempt) {
        controller_.Clear();
        login(server.Port());
        if (expected[attempt].size() == 2) {
            ASSERT_TRUE(controller_.WaitFor("signin")) << attempt;
            connection_->getRosterManager()->init();
        }
        ASSERT_TRUE(controller_.WaitFor("connectionError")) << attempt;
        EXPECT_EQ(controller_.Names(), expected[attempt]) << attempt;
        EXPECT_FALSE(connection_->isInitialized()) << attempt;
        closeAfterError();
        EXPECT_TRUE(server.WaitUntilScriptDone(10s, attempt)) << attempt;
    }
    EXPECT_EQ(controller_.Count("message"), 0u);
    expectSignInWorks();
}

// The bind result and the end of the connection arrive together: the reader may still be
// reading the one when the socket thread sees the other. The sign-in, received first, is
// reported first.
TEST_F(ConnectionFaultTest, ASignInIsNeverReportedAfterTheLossOfItsConnection)
{
    constexpr size_t Attempts = 20;
    std::vector<TlsScript> scripts(Attempts, ScriptedSignIn::signIn().Close());
    ScriptedTlsServer server(certificates_, scripts);

    for (size_t attempt = 0; attempt < Attempts; ++attempt) {
        controller_.Clear();
        login(server.Port());
        ASSERT_TRUE(controller_.WaitFor("connectionError")) << attempt;
        closeAfterError();
        const Names names = controller_.Names();
        EXPECT_EQ(names, (Names{"signin", "connectionError"})) << attempt;
    }
}

// A chat burst followed at once by the server's close: the reader is still far behind when
// the socket ends, yet every message comes before the loss, and the loss comes last.
TEST_F(ConnectionFaultTest, EveryMessageReceivedBeforeALossIsReportedBeforeIt)
{
    constexpr size_t Attempts = 30;
    constexpr size_t Messages = 2000;
    std::string burst;
    for (size_t i = 0; i < Messages; ++i) {
        burst += "<message from='bob@example.org/pc' type='chat' id='m" + std::to_string(i) + "'><body>message " +
                 std::to_string(i) + "</body></message>";
    }
    std::vector<TlsScript> scripts(Attempts, ScriptedSignIn::signIn().Send(burst).Close());
    ScriptedTlsServer server(certificates_, scripts);

    for (size_t attempt = 0; attempt < Attempts; ++attempt) {
        controller_.Clear();
        login(server.Port());
        ASSERT_TRUE(controller_.WaitFor("connectionError")) << attempt;
        const Names names = controller_.Names();
        const size_t messages = controller_.Count("message");
        closeAfterError();
        ASSERT_EQ(messages, Messages) << attempt;
        EXPECT_EQ(names.front(), "signin") << attempt;
        EXPECT_EQ(names.back(), "connectionError") << attempt;
        EXPECT_EQ(names.size(), Messages + 2) << attempt;
    }
    EXPECT_TRUE(server.Failures().empty());
}

// The client waits for the server's answers without a timer of its own: a server that
// completes TLS and then says nothing leaves it waiting, quietly, until the user gives up.
TEST_F(ConnectionFaultTest, ASilentServerAfterTheHandshakeLeavesTheLogoutFree)
{
    ScriptedTlsServer server(certificates_, {TlsScript().Stall(20s)});

    login(server.Port());
    ASSERT_TRUE(server.WaitUntilReceived("</auth>"));
    runFor(300ms);
    EXPECT_TRUE(controller_.Names().empty());
    EXPECT_TRUE(connection_->isInitialized());
    const auto start = std::chrono::steady_clock::now();
    connection_->logout();
    // Well under the 20 s the stalled server would hold it (room for a loaded machine).
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_TRUE(server.WaitUntilClientClosed());
    EXPECT_EQ(ScriptedSignIn::normalized(server.Received()),
        ScriptedSignIn::clientHeader() + ScriptedSignIn::clientAuth() + "</stream:stream>")
        << "no stanza before the session is bound, not even the goodbye";
    runFor(100ms);
    EXPECT_TRUE(controller_.Names().empty());
    expectSignInWorks();
}

// The lost attempt is left as it is (its error not yet handled): the next login closes what is
// left of it and signs in.
TEST_F(ConnectionFaultTest, ASecondLoginClosesWhatIsLeftOfALostAttemptAndSignsIn)
{
    ScriptedTlsServer server(
        certificates_, {ScriptedSignIn::signIn().WaitFor("jabber:iq:roster").Close(), ScriptedSignIn::signIn()});
    ASSERT_TRUE(signIn(server.Port()));
    connection_->getRosterManager()->init();
    ASSERT_TRUE(controller_.WaitFor("connectionError"));

    ASSERT_TRUE(signIn(server.Port(), 2));
    EXPECT_TRUE(connection_->isInitialized());
    EXPECT_EQ(server.Accepted(), 2u);
    EXPECT_EQ(controller_.Names(), (Names{"signin", "connectionError", "signin"}));
    EXPECT_TRUE(server.Failures().empty());
}

TEST_F(ConnectionFaultTest, LogoutDuringTheConnectCutsItShortWithoutAnError)
{
    Ixa::Net::Sockets::SecureSocket::SetHandshakeTimeout(20000);
    ScriptedTlsServer silent(certificates_, {TlsScript().WithoutTls().Stall(20s)});

    login(silent.Port());
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (silent.Accepted() == 0 && std::chrono::steady_clock::now() < deadline) {
        runFor(2ms);
    }
    ASSERT_EQ(silent.Accepted(), 1u);
    const auto start = std::chrono::steady_clock::now();
    connection_->logout();
    // Well under the 20 s the stalled server would hold it (room for a loaded machine).
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_FALSE(connection_->isInitialized());
    runFor(200ms);
    EXPECT_TRUE(controller_.Names().empty());
    Ixa::Net::Sockets::SecureSocket::SetHandshakeTimeout(HANDSHAKE_TIMEOUT);
    expectSignInWorks();
}

TEST_F(ConnectionFaultTest, LogoutWhileTheReaderIsInsideAStanzaDropsItQuietly)
{
    ScriptedTlsServer server(certificates_,
        {ScriptedSignIn::signIn().Send("<message from='bob@example.org' type='chat'><body>half a sen").Stall(20s)});
    ASSERT_TRUE(signIn(server.Port()));
    runFor(200ms);

    const auto start = std::chrono::steady_clock::now();
    connection_->logout();
    // Well under the 20 s the stalled server would hold it (room for a loaded machine).
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_TRUE(server.WaitUntilClientClosed());
    const std::string received = ScriptedSignIn::normalized(server.Received());
    const std::string ending = "<presence type=\"unavailable\"><priority>0</priority></presence></stream:stream>";
    ASSERT_GE(received.size(), ending.size());
    EXPECT_EQ(received.substr(received.size() - ending.size()), ending);
    runFor(100ms);
    EXPECT_EQ(controller_.Names(), Names{"signin"});
    expectSignInWorks();
}

TEST_F(ConnectionFaultTest, AConnectionLostDuringLogoutIsNoError)
{
    ScriptedTlsServer server(certificates_,
        {ScriptedSignIn::signIn().WaitFor("<presence type=\"unavailable\">").Abort(),
            ScriptedSignIn::signIn().WaitFor("</stream:stream>").Close()});

    for (size_t attempt = 0; attempt < 2; ++attempt) {
        ASSERT_TRUE(signIn(server.Port(), attempt + 1));
        connection_->logout();
        EXPECT_TRUE(server.WaitUntilScriptDone(10s, attempt));
        runFor(200ms);
        EXPECT_EQ(controller_.Count("connectionError"), 0u) << attempt;
        EXPECT_FALSE(connection_->isInitialized());
    }
    EXPECT_TRUE(server.Failures().empty());
}

TEST_F(ConnectionFaultTest, TwoHundredSignInsAndLogoutsInARow)
{
    constexpr size_t Cycles = 200;
    std::vector<TlsScript> scripts(Cycles, ScriptedSignIn::signIn().WaitFor("</stream:stream>").Close());
    ScriptedTlsServer server(certificates_, scripts);

    for (size_t cycle = 0; cycle < Cycles; ++cycle) {
        ASSERT_TRUE(signIn(server.Port(), cycle + 1)) << cycle;
        connection_->logout();
    }
    EXPECT_TRUE(server.WaitUntilScriptDone(10s, Cycles - 1));
    EXPECT_EQ(controller_.Count("signin"), Cycles);
    EXPECT_EQ(controller_.Count("connectionError"), 0u);
    EXPECT_EQ(server.Handshakes(), Cycles);
    EXPECT_TRUE(server.Failures().empty());
}

}  // namespace
