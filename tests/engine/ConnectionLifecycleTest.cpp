// The engine and its connection where a sign-in meets servers that do not behave: a close in
// the same breath as the last words, a server that never answers the TLS handshake, a loss
// met while the user signs out, a server that still talks as the user signs out. What the
// user would see (the delegate's calls) and what is stored must follow the order in which
// things happened, and nothing may wait for a stale attempt.
#include "EngineFixture.h"

#include "engine/GtalkNotification.h"
#include "platform/SecureSocket.h"
#include "xmpp/Connection.h"

#include <algorithm>
#include <future>
#include <memory>

using TestSupport::ScriptedTlsServer;
using TestSupport::TlsScript;
using namespace std::chrono_literals;
using Ixa::Net::Sockets::SecureSocket;

namespace {

class ConnectionLifecycleTest : public EngineFixture {
protected:
    void TearDown() override
    {
        EngineFixture::TearDown();
        SecureSocket::SetHandshakeTimeout(SecureSocket::DEFAULT_TIMEOUT);
    }

    void startServer(std::vector<TlsScript> scripts)
    {
        server_ = std::make_unique<ScriptedTlsServer>(*certificates_, std::move(scripts));
    }

    void startSignIn() { engine_.StartSignIn(server_->Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD); }

    bool waitUntilAccepted(size_t count)
    {
        return TestSupport::EngineUnderTest::Eventually([&] { return server_->Accepted() >= count; });
    }

    // The response thread's queue is drained, and everything already posted handled.
    void settleResponses() { deliver("disconnect", nullptr); }
};

// Holds the response thread inside a handler (the one that disposes of it) until opened.
class Gate : public Ixa::Base::Object {
public:
    explicit Gate(std::shared_ptr<std::promise<void>> open) : open_(std::move(open)) {}
    ~Gate() override { open_->get_future().wait(); }

private:
    std::shared_ptr<std::promise<void>> open_;
};

TlsScript refusal()
{
    TlsScript script;
    script.Expect(ScriptedSignIn::clientHeader())
        .Expect(ScriptedSignIn::clientAuth())
        .Send(ScriptedSignIn::serverHeader() +
              "<stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism>"
              "</mechanisms></stream:features><failure xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><not-authorized/>"
              "</failure>");
    return script;
}

}  // namespace

// The server sends a long burst and hangs up at once: the lost connection is handled (the
// client sets about reconnecting) only after every message received before it has been stored.
TEST_F(ConnectionLifecycleTest, EveryMessageReceivedBeforeALossIsStoredBeforeTheLossIsHandled)
{
    constexpr int Messages = 2000;
    std::string burst;
    for (int i = 0; i < Messages; ++i) {
        burst += "<message from='zed@elsewhere.org/phone' type='chat'><body>message " + std::to_string(i) +
                 "</body></message>";
    }
    TlsScript script = ScriptedSignIn::signIn();
    script.Send(burst).Close();
    signIn(std::move(script));
    ASSERT_TRUE(delegate_.WaitFor("OnReconnecting"));
    EXPECT_EQ(messages_->GetNumUnreadMessagesWithUser(IMString("zed@elsewhere.org")), Messages);
    EXPECT_EQ(delegate_.Count("OnMessageReceivedToChat"), static_cast<size_t>(Messages));
    const std::vector<std::string> names = delegate_.Names();
    const auto firstReconnecting = std::find(names.begin(), names.end(), "OnReconnecting");
    EXPECT_EQ(std::count(firstReconnecting, names.end(), "OnMessageReceivedToChat"), 0);
    EXPECT_EQ(delegate_.Count("OnConnectionLost"), 0u);
}

// The server refuses and hangs up in the same breath: the refusal, read first, is the one
// error the user sees; the close behind it is not a second one.
TEST_F(ConnectionLifecycleTest, ARefusedPasswordFollowedAtOnceByACloseIsOneSignInError)
{
    constexpr size_t Attempts = 20;
    startServer(std::vector<TlsScript>(Attempts, refusal().Close()));
    for (size_t attempt = 0; attempt < Attempts; ++attempt) {
        startSignIn();
        ASSERT_TRUE(delegate_.WaitFor("OnSignInError", attempt + 1)) << attempt;
        ASSERT_TRUE(server_->WaitUntilClientClosed(10s, attempt)) << attempt;
        settleRequests();
        settleResponses();
        const std::vector<TestSupport::RecordingDelegate::Call> errors = delegate_.CallsOf("OnSignInError");
        ASSERT_EQ(errors.size(), attempt + 1) << attempt;
        EXPECT_EQ(errors.back().text, std::string(CHECK_PASSWORD_TEXT) + ".  ") << attempt;
    }
    EXPECT_EQ(delegate_.Count("OnSignInSuccess"), 0u);
}

// The first attempt hangs in a TLS handshake the server never answers (the user gave up on it
// when the sign-in timer ran out); the next sign-in reaches the server and succeeds at once,
// and the abandoned attempt reports nothing.
TEST_F(ConnectionLifecycleTest, ASignInAfterAnAbandonedAttemptSucceedsOnTheFirstRetry)
{
    SecureSocket::SetHandshakeTimeout(60000);
    startServer({TlsScript().WithoutTls().Stall(60s), ScriptedSignIn::signIn()});
    startSignIn();
    ASSERT_TRUE(waitUntilAccepted(1));
    startSignIn();
    ASSERT_TRUE(delegate_.WaitFor("OnSignInSuccess")) << testing::PrintToString(delegate_.Names());
    settleRequests();
    settleResponses();
    EXPECT_EQ(delegate_.Count("OnSignInError"), 0u);
    EXPECT_EQ(server_->Accepted(), 2u);
    EXPECT_TRUE(server_->Failures().empty());
}

// Quitting while the connection waits for a TLS handshake that never comes: the engine's
// teardown cuts the connect short instead of waiting out the handshake's minute.
TEST_F(ConnectionLifecycleTest, QuittingDuringAConnectThatNeverAnswersReturnsAtOnce)
{
    SecureSocket::SetHandshakeTimeout(60000);
    startServer({TlsScript().WithoutTls().Stall(60s)});
    startSignIn();
    ASSERT_TRUE(waitUntilAccepted(1));
    const auto start = std::chrono::steady_clock::now();
    controller_.uninit();
    // Well under the minute the handshake would take (room for a loaded machine).
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_EQ(delegate_.Count("OnSignInError"), 0u);
}

// The loss is waiting in the response queue when the user signs out: it is handled after the
// sign-out, and the user, who asked to go, sees no sign-in error.
TEST_F(ConnectionLifecycleTest, SigningOutWhileALossIsPendingShowsNoSignInError)
{
    TlsScript script = ScriptedSignIn::signIn();
    script.WaitFor("jabber:iq:roster").Close();
    signIn(std::move(script));
    auto open = std::make_shared<std::promise<void>>();
    controller_.addToResponseQueue([&] {
        auto notification = new GtalkNotification();
        notification->setNotificationName(new IMString("disconnect"));
        notification->setXMPPObject(new Gate(open));
        return notification;
    }());
    controller_.refreshLists(false);
    Connection* connection = controller_.GetConnection();
    ASSERT_TRUE(TestSupport::EngineUnderTest::Eventually([&] { return !connection->isInitialized(); }));
    controller_.SignOut();
    settleRequests();
    open->set_value();
    settleResponses();
    EXPECT_EQ(delegate_.Count("OnSignOutSuccess"), 1u);
    EXPECT_EQ(delegate_.Count("OnSignInError"), 0u);
}

// The server answers the closing tag with a last message before its own: the sign-out waits
// for it, and the message is stored.
TEST_F(ConnectionLifecycleTest, AMessageTheServerSendsWhileClosingIsStored)
{
    TlsScript script = ScriptedSignIn::signIn();
    script.WaitFor("</stream:stream>")
        .Stall(200ms)
        .Send("<message from='zed@elsewhere.org/phone' type='chat'><body>see you</body></message></stream:stream>")
        .Close();
    signIn(std::move(script));
    controller_.SignOut();
    ASSERT_TRUE(delegate_.WaitFor("OnSignOutSuccess"));
    settleResponses();
    std::unique_ptr<Message> stored(messages_->GetLastMessageWithUser(IMString("zed@elsewhere.org")));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetMessage().ToUtf8(), "see you");
    EXPECT_TRUE(server_->WaitUntilClientClosed());
    EXPECT_EQ(delegate_.Count("OnConnectionLost"), 0u);
}

// A server going down says so in a stream error and closes: the client comes back by itself.
// Another sign-in of the account with the same resource makes the server end the session with
// a conflict: coming back would take the session from the other sign-in, which would come back
// and take it in turn, so the user is signed out here and the client tries nothing more.
TEST_F(ConnectionLifecycleTest, AStreamErrorIsALossButASessionTakenByAnotherSignInIsASignOut)
{
    const std::string streams = " xmlns='urn:ietf:params:xml:ns:xmpp-streams'";
    TlsScript shutdown = ScriptedSignIn::signIn();
    shutdown.Send("<stream:error><system-shutdown" + streams + "/></stream:error></stream:stream>").Close();
    TlsScript replaced = ScriptedSignIn::signIn();
    replaced.WaitFor("jabber:iq:roster")  // the lists are asked for again once back
        .Send("<stream:error><conflict" + streams + "/><text" + streams + ">Replaced by new connection</text>"
              "</stream:error></stream:stream>")
        .Close();
    startServer({std::move(shutdown), std::move(replaced)});
    startSignIn();
    ASSERT_TRUE(delegate_.WaitFor("OnSignInSuccess")) << testing::PrintToString(delegate_.Names());
    ASSERT_TRUE(delegate_.WaitFor("OnReconnected")) << testing::PrintToString(delegate_.Names());
    const size_t reconnecting = delegate_.Count("OnReconnecting");

    ASSERT_TRUE(delegate_.WaitFor("OnServerInitiatedSignOut")) << testing::PrintToString(delegate_.Names());
    settleResponses();
    EXPECT_EQ(delegate_.Count("OnReconnecting"), reconnecting) << "no try after the session was taken";
    EXPECT_EQ(delegate_.Count("OnConnectionLost"), 0u);
    EXPECT_EQ(delegate_.Count("OnSignInError"), 0u);
    EXPECT_FALSE(controller_.GetReconnector()->isActive());
    EXPECT_TRUE(server_->Failures().empty()) << testing::PrintToString(server_->Failures());
}
