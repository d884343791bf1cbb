// A sign-in against the scripted server, byte for byte: the stream header, the SASL PLAIN
// element with the extension attributes, the restart, bind and session in the order the
// features list them; then the requests that follow it and what the sub-managers write.
#include "ConnectionFixture.h"
#include "engine/PresenceStatus.h"
#include "foundation/IMHashMap.h"
#include "xmpp/Chat.h"
#include "xmpp/ChatManager.h"
#include "xmpp/Constants.h"
#include "xmpp/PresenceManager.h"
#include "xmpp/RosterManager.h"
#include "xmpp/VCardManager.h"

#include <regex>
#include <set>
#include <thread>

using namespace std::chrono_literals;
using TestSupport::ScriptedTlsServer;
using TestSupport::TlsScript;

namespace {

class SignInTest : public ConnectionFixture {
protected:
    // The bytes the client sent on a connection after the sign-in, ids normalised.
    static std::string afterSignIn(const ScriptedTlsServer& server, size_t connection = 0, bool sessionFirst = false)
    {
        const std::string all = ScriptedSignIn::normalized(server.Received(connection));
        const std::string signIn = ScriptedSignIn::clientSignIn(sessionFirst);
        EXPECT_EQ(all.substr(0, signIn.size()), signIn);
        return all.size() > signIn.size() ? all.substr(signIn.size()) : std::string();
    }

    IMHashMap* signInOutcome(size_t index) { return dynamic_cast<IMHashMap*>(controller_.ObjectOf("signin", index)); }
};

const std::string Offline = "<presence type=\"unavailable\"><priority>0</priority></presence>";

TEST_F(SignInTest, SendsEachStepInTheOrderTheServerListsItsFeatures)
{
    ScriptedTlsServer server(certificates_, {ScriptedSignIn::signIn(false), ScriptedSignIn::signIn(true)});

    ASSERT_TRUE(signIn(server.Port()));
    EXPECT_EQ(ScriptedSignIn::normalized(server.Received(0)), ScriptedSignIn::clientSignIn(false));
    EXPECT_TRUE(connection_->isInitialized());
    EXPECT_EQ(connection_->getConnectionState(), Connection::STATE_AUTHENTICATED);
    ASSERT_NE(connection_->getUserJID(), nullptr);
    EXPECT_EQ(connection_->getUserJID()->ToUtf8(), ScriptedSignIn::fullId());
    EXPECT_EQ(connection_->getEmailID()->ToUtf8(), ScriptedSignIn::bareId());
    IMHashMap* outcome = signInOutcome(0);
    ASSERT_NE(outcome, nullptr);
    EXPECT_EQ(outcome->size(), 3);
    IMString resumed("isResumed");
    auto wasResumed = dynamic_cast<IMBoolean*>(outcome->get(&resumed));
    ASSERT_NE(wasResumed, nullptr);
    EXPECT_FALSE(wasResumed->ToBool());
    IMString success("isSignInSuccess");
    IMString presence("initialPresence");
    auto succeeded = dynamic_cast<IMBoolean*>(outcome->get(&success));
    ASSERT_NE(succeeded, nullptr);
    EXPECT_TRUE(succeeded->ToBool());
    auto initial = dynamic_cast<PresenceStatus*>(outcome->get(&presence));
    ASSERT_NE(initial, nullptr);
    EXPECT_EQ(initial->GetPresenceStatus(), PresenceStatus::AVAILABLE);

    connection_->logout();
    EXPECT_TRUE(server.WaitUntilClientClosed(10s, 0));
    EXPECT_EQ(afterSignIn(server, 0), Offline + "</stream:stream>");
    EXPECT_FALSE(connection_->isInitialized());

    // A user id typed with a domain of its own signs in as its local part at the service's
    // domain; the typed string itself is cut to the local part.
    connection_->setServerAddress(IMString("localhost"), server.Port());
    IMString typed("alice@elsewhere.example");
    IMString password(ScriptedSignIn::PASSWORD.c_str());
    connection_->login(&typed, &password);
    ASSERT_TRUE(controller_.WaitFor("signin", 2));
    EXPECT_EQ(typed.ToUtf8(), "alice");
    EXPECT_EQ(ScriptedSignIn::normalized(server.Received(1)), ScriptedSignIn::clientSignIn(true));
    EXPECT_TRUE(server.Failures().empty());
    EXPECT_EQ(controller_.Names(), (std::vector<std::string>{"signin", "signin"}));
}

TEST_F(SignInTest, InitAsksForSharedStatusOffTheRecordSettingsAndTheBlockedListWithDistinctIds)
{
    ScriptedTlsServer server(certificates_, {ScriptedSignIn::signIn()});
    ASSERT_TRUE(signIn(server.Port()));

    connection_->init();
    ASSERT_TRUE(server.WaitUntilReceived("<blocklist xmlns=\"urn:xmpp:blocking\"/></iq>"));
    const std::string bare = ScriptedSignIn::bareId();
    EXPECT_EQ(afterSignIn(server),
        "<iq id=\"#\" to=\"" + bare + "\" type=\"get\"><query xmlns='google:shared-status' version='2'/></iq>"
        "<iq id=\"#\" type=\"get\"><query xmlns=\"google:nosave\" /></iq>"
        "<iq id=\"#\" to=\"" + bare + "\" from=\"" + ScriptedSignIn::fullId() +
            "\" type=\"get\"><usersetting xmlns=\"google:setting\"/></iq>"
        "<iq id=\"#\" type=\"get\"><blocklist xmlns=\"urn:xmpp:blocking\"/></iq>");

    const std::string received = server.Received();
    std::set<std::string> ids;
    std::set<std::string> prefixes;
    static const std::regex idPattern("<iq id=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(received.begin(), received.end(), idPattern); it != std::sregex_iterator();
         ++it) {
        ids.insert((*it)[1]);
        // The blocked-list query is named by its own count, so the tests can answer it.
        if ((*it)[1].str().rfind("blocklist_", 0) != 0) {
            prefixes.insert((*it)[1].str().substr(0, 5));
        }
    }
    EXPECT_EQ(ids.size(), 6u);
    EXPECT_EQ(prefixes.size(), 1u);
}

TEST_F(SignInTest, SubManagersWriteTheirStanzasForTheSignedInUser)
{
    ScriptedTlsServer server(certificates_, {ScriptedSignIn::signIn()});
    ASSERT_TRUE(signIn(server.Port()));
    const std::string bare = ScriptedSignIn::bareId();
    const std::string full = ScriptedSignIn::fullId();
    const std::string sharedStatus = "<iq id=\"#\" to=\"" + bare + "\" from=\"" + full +
                                     "\" type=\"set\"><query xmlns='google:shared-status' version='2'>";

    PresenceManager* presence = connection_->getPresenceManager();
    RosterManager* roster = connection_->getRosterManager();
    ASSERT_NE(presence, nullptr);
    ASSERT_NE(roster, nullptr);
    presence->sendPresence(Presence::Type::NONE);
    IMString busy("<b>&");
    presence->setBusyStatus(&busy);
    presence->setBusyStatus(&busy);
    for (const char* text : {"two", "three", "four"}) {
        IMString status(text);
        presence->setBusyStatus(&status);
    }
    presence->sendPresence(Presence::Type::NONE);
    presence->setOnlineStatus(nullptr);
    presence->setInvisibleStatus(true);
    IMString bob("Bob@Example.org");
    roster->addContact(&bob);
    roster->blockContact(&bob);
    IMString nick("Bobby \"B\"");
    roster->renameContact(&bob, &nick);
    roster->deleteContact(&bob);
    roster->init();
    presence->sendSubscriptionRequest(Presence::Type::SUBSCRIBED, &bob);
    auto chat = new Chat(connection_->getChatManager(), nullptr, &bob, false);
    IMString text("hi <you> & 'me'");
    IMString id("m1");
    unsigned long result = 0x1234;
    chat->sendMessage(&text, &id, &result);
    EXPECT_EQ(result, Ixa::E_SUCCESS);
    EXPECT_EQ(connection_->getChatManager()->getChat(&bob), chat);
    connection_->getVCardManager()->requestVCard(&bob);
    ASSERT_TRUE(server.WaitUntilReceived("<vCard xmlns=\"vcard-temp\"/></iq>"));

    const std::string item = "<query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" gr:ext=\"2\"><item ";
    EXPECT_EQ(afterSignIn(server),
        "<presence><priority>0</priority></presence>" + sharedStatus +
            // The server's recent lists are not known yet, so none is sent.
            "<status>&lt;b&gt;&amp;</status><show>dnd</show><invisible value=\"false\"/></query></iq>" +
            sharedStatus + "<status>&lt;b&gt;&amp;</status><show>dnd</show><invisible value=\"false\"/></query></iq>" +
            sharedStatus + "<status>two</status><show>dnd</show><invisible value=\"false\"/></query></iq>" +
            sharedStatus + "<status>three</status><show>dnd</show><invisible value=\"false\"/></query></iq>" +
            sharedStatus + "<status>four</status><show>dnd</show><invisible value=\"false\"/></query></iq>"
            "<presence><status>four</status><priority>0</priority><show>dnd</show></presence>" +
            sharedStatus + "<status></status><show>default</show><invisible value=\"false\"/></query></iq>" +
            sharedStatus + "<status></status><show>default</show><invisible value=\"true\"/></query></iq>"
            "<presence to=\"Bob@Example.org\" type=\"subscribe\"><priority>0</priority></presence>"
            "<iq id=\"#\" type=\"set\">" + item + "jid=\"bob@example.org\" gr:t=\"B\"></item></query></iq>"
            "<iq id=\"#\" type=\"set\">" + item +
            "jid=\"bob@example.org\" name=\"Bobby &quot;B&quot;\" gr:t=\"P\"></item></query></iq>"
            "<iq id=\"#\" type=\"set\">" + item +
            "jid=\"bob@example.org\" subscription=\"remove\" gr:t=\"P\"></item></query></iq>"
            "<iq id=\"#\" type=\"get\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" gr:ext=\"2\"/>"
            "</iq>"
            "<presence to=\"Bob@Example.org\" type=\"subscribed\"><priority>0</priority></presence>"
            "<message id=\"#\" to=\"Bob@Example.org\" type=\"chat\"><body>hi &lt;you&gt; &amp; &#39;me&#39;</body></message>"
            "<iq id=\"#\" to=\"Bob@Example.org\" type=\"get\"><vCard xmlns=\"vcard-temp\"/></iq>");

    // After logout the managers are gone and nothing more is sent.
    connection_->logout();
    EXPECT_EQ(connection_->getPresenceManager(), nullptr);
    EXPECT_EQ(connection_->getChatManager(), nullptr);
    presence->setBusyStatus(&busy);
    result = 0x1234;
    chat->sendMessage(&text, nullptr, &result);
    EXPECT_EQ(result, 0x1234u);
    EXPECT_TRUE(server.WaitUntilClientClosed());
    EXPECT_EQ(server.Received().find("</stream:stream>") + 16, server.Received().size());
}

// A stanza sent while the sign-in is still under way (a status changed while a reconnect signs
// in) waits for the bound session: before it, a server ends the stream of a client that sends
// one. It goes out after the enabling of stream management, in the order it was sent. A chat
// message fails instead, for its sender to hold until the session is back.
TEST_F(SignInTest, StanzasSentBeforeTheSessionIsBoundWaitForIt)
{
    const std::string sm = "<sm xmlns='urn:xmpp:sm:3'/>";
    TlsScript script = ScriptedSignIn::authenticated(ScriptedSignIn::bindFeature() + ScriptedSignIn::sessionFeature() + sm);
    script.ExpectNext(ScriptedSignIn::clientBind())
        .ExpectNext(ScriptedSignIn::clientSession())
        .Stall(300ms)
        .Send(ScriptedSignIn::bindAndSessionResults())
        .ExpectNext("<enable xmlns=\"urn:xmpp:sm:3\" resume=\"true\"/>")
        .ExpectNext("<presence><priority>0</priority></presence>")
        .ExpectNext("<presence to=\"bob@example.org\" type=\"subscribed\"><priority>0</priority></presence>");
    ScriptedTlsServer server(certificates_, {script});
    login(server.Port());
    ASSERT_TRUE(server.WaitUntilReceived("urn:ietf:params:xml:ns:xmpp-session"));
    PresenceManager* presence = connection_->getPresenceManager();
    ASSERT_NE(presence, nullptr);
    presence->sendPresence(Presence::Type::NONE);
    IMString bob("bob@example.org");
    auto chat = new Chat(connection_->getChatManager(), nullptr, &bob, false);
    IMString text("too early");
    IMString id("m1");
    unsigned long result = Ixa::E_SUCCESS;
    chat->sendMessage(&text, &id, &result);
    EXPECT_TRUE(Ixa::IsFailed(result));
    presence->sendSubscriptionRequest(Presence::Type::SUBSCRIBED, &bob);
    ASSERT_TRUE(controller_.WaitFor("signin"));
    EXPECT_TRUE(server.WaitUntilScriptDone(10s)) << testing::PrintToString(server.Failures());
    EXPECT_TRUE(server.Failures().empty()) << testing::PrintToString(server.Failures());
    EXPECT_EQ(server.Received().find("too early"), std::string::npos);
}

TEST_F(SignInTest, ARefusedPasswordEndsInOneFailedSignInAndTheNextSignInWorks)
{
    TlsScript refused;
    refused.Expect(ScriptedSignIn::clientHeader())
        .Expect(ScriptedSignIn::clientAuth())
        .Send(ScriptedSignIn::serverHeader() +
              "<stream:features><mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism>"
              "</mechanisms></stream:features><failure xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><not-authorized/>"
              "<text>Unable to authorize you</text></failure>");
    ScriptedTlsServer server(certificates_, {refused, ScriptedSignIn::signIn()});

    ASSERT_TRUE(signIn(server.Port()));
    IMHashMap* outcome = signInOutcome(0);
    ASSERT_NE(outcome, nullptr);
    EXPECT_EQ(outcome->size(), 1);
    IMString success("isSignInSuccess");
    auto succeeded = dynamic_cast<IMBoolean*>(outcome->get(&success));
    ASSERT_NE(succeeded, nullptr);
    EXPECT_FALSE(succeeded->ToBool());
    EXPECT_TRUE(server.WaitUntilClientClosed(10s, 0));
    EXPECT_FALSE(connection_->isInitialized());
    EXPECT_EQ(connection_->getConnectionState(), Connection::STATE_CLOSED);

    ASSERT_TRUE(signIn(server.Port(), 2));
    EXPECT_TRUE(connection_->isInitialized());
    EXPECT_EQ(controller_.Names(), (std::vector<std::string>{"signin", "signin"}));
    EXPECT_TRUE(server.Failures().empty());
}

// Sign-in elements out of their phase, each on a connection of its own and each followed by
// a message that shows it has been read: one "signin" each time, no request sent for them,
// and the bound id left as it was.
TEST_F(SignInTest, SignInElementsOutsideTheirPhaseAreIgnored)
{
    const std::string sasl = "xmlns='urn:ietf:params:xml:ns:xmpp-sasl'";
    const std::string marker = "<message from='end@example.org' type='chat'><body>end</body></message>";
    const std::string bindFeature = "<bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><required/></bind>";
    TlsScript bindFirst;
    bindFirst.ExpectNext(ScriptedSignIn::clientHeader())
        .ExpectNext(ScriptedSignIn::clientAuth())
        .Send(ScriptedSignIn::serverHeader() + "<stream:features>" + bindFeature + "</stream:features><success " +
              sasl + "/>")
        .ExpectNext(ScriptedSignIn::clientHeader())
        .Send(ScriptedSignIn::serverHeader() + "<stream:features>" + bindFeature + "</stream:features>")
        .ExpectNext(ScriptedSignIn::clientBind())
        .Send("<iq type='result' id='bind_1'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'><jid>" +
              ScriptedSignIn::fullId() + "</jid></bind></iq>" + marker);
    struct Case {
        const char* what;
        TlsScript script;
    };
    const std::vector<Case> cases = {
        {"a second success", ScriptedSignIn::signIn().Send("<success " + sasl + "/>" + marker)},
        {"a bind result after sign-in",
            ScriptedSignIn::signIn().Send("<iq type='result' id='bind_2'><bind xmlns='urn:ietf:params:xml:ns:xmpp-bind'>"
                                          "<jid>mallory@evil.example/x</jid></bind></iq>" + marker)},
        {"an iq carrying a jid after sign-in",
            ScriptedSignIn::signIn().Send("<iq type='set' id='j1' from='bob@example.org'><query xmlns='urn:x:any'>"
                                          "<jid>bob@example.org/evil</jid></query></iq>" + marker)},
        {"a bind before authentication", bindFirst},
    };
    std::vector<TlsScript> scripts;
    for (const Case& attempt : cases) {
        scripts.push_back(attempt.script);
    }
    ScriptedTlsServer server(certificates_, scripts);

    for (size_t index = 0; index < cases.size(); ++index) {
        const Case& attempt = cases[index];
        controller_.Clear();
        login(server.Port());
        ASSERT_TRUE(controller_.WaitFor("message")) << attempt.what;
        EXPECT_EQ(controller_.Names(), (std::vector<std::string>{"signin", "message"})) << attempt.what;
        ASSERT_NE(connection_->getUserJID(), nullptr) << attempt.what;
        EXPECT_EQ(connection_->getUserJID()->ToUtf8(), ScriptedSignIn::fullId()) << attempt.what;
        connection_->logout();
        EXPECT_TRUE(server.WaitUntilClientClosed(10s, index)) << attempt.what;
        const std::string signIn = index + 1 == cases.size()
            ? ScriptedSignIn::clientHeader() + ScriptedSignIn::clientAuth() + ScriptedSignIn::clientHeader() +
                  ScriptedSignIn::clientBind()
            : ScriptedSignIn::clientSignIn();
        EXPECT_EQ(ScriptedSignIn::normalized(server.Received(index)), signIn + Offline + "</stream:stream>")
            << attempt.what;
    }
    EXPECT_TRUE(server.Failures().empty()) << testing::PrintToString(server.Failures());
}

TEST_F(SignInTest, AcknowledgesRosterPushesAndAcceptsRostersOnlyFromTheServer)
{
    const std::string bare = ScriptedSignIn::bareId();
    const std::string item =
        "<query xmlns='jabber:iq:roster'><item jid='bob@example.org' subscription='both'/></query>";
    const std::string acknowledgement = "\" to=\"" + Constants::DOMAIN.ToUtf8() + "\" from=\"" +
                                        ScriptedSignIn::fullId() + "\" type=\"result\"></iq>";
    // The stranger's push is refused, not taken (addressed back without a "from", as it came
    // without a "to").
    const std::string refusal = "<iq id=\"spoof1\" to=\"mallory@evil.example\" type=\"error\">"
                                "<error type=\"cancel\"><service-unavailable "
                                "xmlns=\"urn:ietf:params:xml:ns:xmpp-stanzas\"/></error></iq>";
    ScriptedTlsServer server(certificates_,
        {ScriptedSignIn::signIn()
                .Send("<iq type='set' id='push1'>" + item + "</iq>")
                .ExpectNext("<iq id=\"push1" + acknowledgement)
                .Send("<iq type='result' id='roster1' to='" + ScriptedSignIn::fullId() + "'>" + item +
                      "</iq><iq type='set' id='spoof1' from='mallory@evil.example'>" + item +
                      "</iq><iq type='set' id='push2' from='" + bare + "'>" + item + "</iq>")
                .ExpectNext(refusal)
                .ExpectNext("<iq id=\"push2" + acknowledgement)
                .Send("<message from='end@example.org' type='chat'><body>end</body></message>")});

    ASSERT_TRUE(signIn(server.Port()));
    ASSERT_TRUE(controller_.WaitFor("message"));
    EXPECT_EQ(controller_.Names(),
        (std::vector<std::string>{"signin", "buddylist", "buddylist", "buddylist", "message"}));
    EXPECT_TRUE(server.WaitUntilScriptDone());
    EXPECT_TRUE(server.Failures().empty()) << testing::PrintToString(server.Failures());
    connection_->logout();
    EXPECT_TRUE(server.WaitUntilClientClosed());
    EXPECT_EQ(afterSignIn(server), "<iq id=\"#" + acknowledgement + ScriptedSignIn::normalized(refusal) + "<iq id=\"#" + acknowledgement +
                                       Offline + "</stream:stream>");
}

}  // namespace
