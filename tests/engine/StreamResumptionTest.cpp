// Stream management through the real engine against a scripted server: enabled after the
// bind, acknowledgements that count only what the handlers have stored, and after a cut the
// reconnector's try that resumes the session and sends again only what the server never
// acknowledged, or, when the server refuses to resume, binds afresh and sends the
// unacknowledged chat once more under its own id.
#include "EngineFixture.h"

#include "xmpp/Constants.h"

#include <memory>
#include <regex>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using TestSupport::TlsScript;

namespace {

const std::string SM = " xmlns='urn:xmpp:sm:3'";
const std::string CLIENT_SM = " xmlns=\"urn:xmpp:sm:3\"";
const std::string ENABLE = "<enable" + CLIENT_SM + " resume=\"true\"/>";
const std::string REQUEST = "<r" + CLIENT_SM + "/>";

std::string acknowledgement(int handled) { return "<a" + CLIENT_SM + " h=\"" + std::to_string(handled) + "\"/>"; }

// Every feature a server with stream management lists after the authentication.
std::string features() { return ScriptedSignIn::bindFeature() + ScriptedSignIn::sessionFeature() + "<sm" + SM + "/>"; }

std::string fromIvan(const std::string& body)
{
    return "<message from='ivan@" + Constants::DOMAIN.ToUtf8() + "/desk' type='chat'><body>" + body + "</body></message>";
}

// The user's chat as it goes out, whatever its id.
std::string chat() { return "<message id=\"#\" to=\"ivan@" + Constants::DOMAIN.ToUtf8() + "\" type=\"chat\"><body>are you there</body></message>"; }

class StreamResumptionTest : public EngineFixture {
protected:
    // The first connection: signed in with stream management enabled as S1; two messages
    // come in and are acknowledged once stored; the user's chat goes out with a request for
    // an acknowledgement that never comes, and the connection is cut.
    static TlsScript firstConnection(const std::string& enabled = "<enabled" + SM + " id='S1' resume='true'/>")
    {
        TlsScript script = ScriptedSignIn::authenticated(features());
        script.ExpectNext(ScriptedSignIn::clientBind())
            .ExpectNext(ScriptedSignIn::clientSession())
            .Send(ScriptedSignIn::bindAndSessionResults())
            .ExpectNext(ENABLE)
            .Send(enabled)
            .ExpectNext(acknowledgement(0))  // the session is stored at once
            .Send(fromIvan("one") + fromIvan("two") + "<r" + SM + "/>")
            .ExpectNext(acknowledgement(2))
            .ExpectNext(chat())
            .ExpectNext(REQUEST)
            .Abort();
        return script;
    }

    // Signs in on the first connection, sends the chat once both messages are acknowledged,
    // and waits for the reconnector to bring the second connection.
    void signInSendAndCut(TlsScript second, TlsScript first = firstConnection())
    {
        server_ = std::make_unique<TestSupport::ScriptedTlsServer>(
            *certificates_, std::vector<TlsScript>{std::move(first), std::move(second)});
        engine_.StartSignIn(server_->Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
        ASSERT_TRUE(delegate_.WaitFor("OnSignInSuccess")) << testing::PrintToString(delegate_.Names());
        ASSERT_TRUE(server_->WaitUntilReceived(acknowledgement(2))) << failures();
        EXPECT_EQ(messages_->GetNumUnreadMessagesWithUser(IMString(idOf("ivan").c_str())), 2)
            << "both messages are stored before they are acknowledged";
        std::unique_ptr<Message> chat(messages_->CreateMessage());
        chat->SetOtherUserId(IMString(idOf("ivan").c_str()));
        chat->SetMessage(IMString("are you there"));
        chat->SetMessageType(Message::TYPE_SENDING);
        messages_->SaveOrUpdate(chat.get());
        Message* copy = messages_->CreateMessage();
        copy->SetOtherUserId(chat->GetOtherUserId());
        copy->SetMessage(chat->GetMessage());
        copy->SetMessageType(Message::TYPE_SENDING);
        copy->SetMessageId(chat->GetMessageId());
        controller_.SendMessage(copy);
        ASSERT_TRUE(server_->WaitUntilScriptDone(10s, 0)) << failures();
        ASSERT_TRUE(delegate_.WaitFor("OnReconnecting", [](const auto& call) { return call.code == 0; }).has_value());
    }

    // The chat stanzas the client sent on a connection, as sent.
    std::vector<std::string> chatsOn(size_t connection)
    {
        static const std::regex chat("<message id=\"[^\"]*\" to=\"[^\"]*\" type=\"chat\"><body>are you there</body></message>");
        const std::string received = server_->Received(connection);
        std::vector<std::string> chats;
        for (auto match = std::sregex_iterator(received.begin(), received.end(), chat); match != std::sregex_iterator();
             ++match) {
            chats.push_back(match->str());
        }
        return chats;
    }

    // A fresh session on a later connection: bound, stream management enabled again, the
    // chat the last session left unacknowledged sent once more, and the lists asked for.
    static void signInAfresh(TlsScript& script, bool offered = true)
    {
        script.ExpectNext(ScriptedSignIn::clientBind())
            .ExpectNext(ScriptedSignIn::clientSession())
            .Send(ScriptedSignIn::bindAndSessionResults());
        if (offered) {
            script.ExpectNext(ENABLE);
        }
        script.ExpectNext(chat()).ExpectNext(
            "<iq id=\"#\" type=\"get\"><query xmlns=\"jabber:iq:roster\" xmlns:gr=\"google:roster\" gr:ext=\"2\"/></iq>");
        if (offered) {
            script.Send("<enabled" + SM + " id='S2' resume='true'/>")
                .ExpectNext(acknowledgement(0))
                .Send("<r" + SM + "/>")
                .ExpectNext(acknowledgement(0));  // and no second copy of the chat before it
        }
    }

    void expectTheChatSentAgainOnce()
    {
        ASSERT_TRUE(server_->WaitUntilScriptDone(20s, 1)) << failures();
        EXPECT_TRUE(server_->Failures().empty()) << failures();
        ASSERT_TRUE(delegate_.WaitFor("OnReconnected"));
        ASSERT_EQ(chatsOn(0).size(), 1U);
        EXPECT_EQ(chatsOn(1), chatsOn(0)) << "once, under its original id";
    }

    // Whether the account store holds the session `id` with `handled`, once the acknowledging
    // handler has saved it.
    bool storedSession(const std::string& id, long long handled)
    {
        return TestSupport::EngineUnderTest::Eventually([&] {
            IMString storedId;
            long long storedHandled = -1;
            return properties_->GetStreamSession(IMString(idOf(ScriptedSignIn::USER).c_str()), &storedId, &storedHandled) &&
                   storedId.ToUtf8() == id && storedHandled == handled;
        });
    }

    std::string failures() { return testing::PrintToString(server_->Failures()); }
};

}  // namespace

TEST_F(StreamResumptionTest, AResumedSessionGetsOnlyTheUnacknowledgedChatAgain)
{
    TlsScript second = ScriptedSignIn::authenticated(features());
    second.ExpectNext("<resume" + CLIENT_SM + " h=\"2\" previd=\"S1\"/>")
        .Send("<resumed" + SM + " h='0' previd='S1'/>")
        .ExpectNext(chat())
        .Send("<r" + SM + "/>")
        .ExpectNext(acknowledgement(2));  // nothing sent between the chat and the answer
    signInSendAndCut(std::move(second));

    ASSERT_TRUE(server_->WaitUntilScriptDone(20s, 1)) << failures();
    EXPECT_TRUE(server_->Failures().empty()) << failures();
    ASSERT_TRUE(delegate_.WaitFor("OnReconnected"));
    ASSERT_EQ(chatsOn(0).size(), 1U);
    EXPECT_EQ(chatsOn(1), chatsOn(0)) << "the same stanza, same id, once";
    EXPECT_EQ(delegate_.Count("OnSignInSuccess"), 1U) << "the screens stay where they are";
    EXPECT_TRUE(storedSession("S1", 2)) << "the acknowledged count is kept for a later run";
}

TEST_F(StreamResumptionTest, ARefusedResumptionBindsAfreshAndSendsTheChatOnceUnderItsId)
{
    TlsScript second = ScriptedSignIn::authenticated(features());
    second.ExpectNext("<resume" + CLIENT_SM + " h=\"2\" previd=\"S1\"/>")
        .Send("<failed" + SM + "><item-not-found xmlns='urn:ietf:params:xml:ns:xmpp-stanzas'/></failed>");
    signInAfresh(second);
    signInSendAndCut(std::move(second));
    expectTheChatSentAgainOnce();
}

TEST_F(StreamResumptionTest, ASessionThatCouldNotBeResumedLeavesItsUnacknowledgedChatToTheNext)
{
    TlsScript second = ScriptedSignIn::authenticated(features());
    signInAfresh(second);
    signInSendAndCut(std::move(second), firstConnection("<enabled" + SM + "/>"));
    expectTheChatSentAgainOnce();
}

TEST_F(StreamResumptionTest, AServerThatNoLongerOffersStreamManagementStillGetsTheUnacknowledgedChat)
{
    TlsScript second = ScriptedSignIn::authenticated(ScriptedSignIn::bindFeature() + ScriptedSignIn::sessionFeature());
    signInAfresh(second, false);
    signInSendAndCut(std::move(second));
    expectTheChatSentAgainOnce();
}

// The program was ended (or killed) with a resumable session in the account store: the user's
// next sign-in resumes it from the stored count, and keeps counting from there.
TEST_F(StreamResumptionTest, ASignInAfterARestartResumesTheStoredSession)
{
    properties_->SaveStreamSession(IMString(idOf(ScriptedSignIn::USER).c_str()), IMString("S9"), 41);
    TlsScript script = ScriptedSignIn::authenticated(features());
    script.ExpectNext("<resume" + CLIENT_SM + " h=\"41\" previd=\"S9\"/>")
        .Send("<resumed" + SM + " h='5' previd='S9'/>" + fromIvan("three") + "<r" + SM + "/>")
        .ExpectNext(acknowledgement(42));
    server_ = std::make_unique<TestSupport::ScriptedTlsServer>(*certificates_, std::vector<TlsScript>{std::move(script)});
    engine_.StartSignIn(server_->Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
    ASSERT_TRUE(delegate_.WaitFor("OnSignInSuccess")) << testing::PrintToString(delegate_.Names());
    ASSERT_TRUE(server_->WaitUntilScriptDone(10s)) << failures();
    EXPECT_TRUE(server_->Failures().empty()) << failures();
    EXPECT_TRUE(storedSession("S9", 42));
}

// The connection closes behind two messages the server never asked to have acknowledged, and
// in the middle of a third: the two were stored before the loss was handled, so the resumption
// must not ask for them again (they would be stored twice), but the cut one it must.
TEST_F(StreamResumptionTest, AResumptionCountsWhatWasStoredBeforeTheLoss)
{
    TlsScript first = ScriptedSignIn::authenticated(features());
    first.ExpectNext(ScriptedSignIn::clientBind())
        .ExpectNext(ScriptedSignIn::clientSession())
        .Send(ScriptedSignIn::bindAndSessionResults())
        .ExpectNext(ENABLE)
        .Send("<enabled" + SM + " id='S1' resume='true'/>")
        .ExpectNext(acknowledgement(0))
        .Send(fromIvan("one") + fromIvan("two") + fromIvan("three").substr(0, 60))
        .Close();
    TlsScript second = ScriptedSignIn::authenticated(features());
    second.ExpectNext("<resume" + CLIENT_SM + " h=\"2\" previd=\"S1\"/>").Send("<resumed" + SM + " h='0' previd='S1'/>");
    server_ = std::make_unique<TestSupport::ScriptedTlsServer>(
        *certificates_, std::vector<TlsScript>{std::move(first), std::move(second)});
    engine_.StartSignIn(server_->Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
    ASSERT_TRUE(delegate_.WaitFor("OnReconnected")) << failures();
    EXPECT_TRUE(server_->Failures().empty()) << failures();
    EXPECT_EQ(messages_->GetNumUnreadMessagesWithUser(IMString(idOf("ivan").c_str())), 2);
}

// A server may end the connection rather than answer a <resume/> it cannot honour (Prosody
// does once the kept session's queue overflowed). The user's sign-in must not end in an
// error: it starts again at once, binds a fresh session and stores that one instead.
TEST_F(StreamResumptionTest, AStoredSessionTheServerHangsUpOnIsForgottenAndTheSignInStartsAfresh)
{
    properties_->SaveStreamSession(IMString(idOf(ScriptedSignIn::USER).c_str()), IMString("S9"), 41);
    TlsScript refused = ScriptedSignIn::authenticated(features());
    refused.ExpectNext("<resume" + CLIENT_SM + " h=\"41\" previd=\"S9\"/>").Close();
    TlsScript fresh = ScriptedSignIn::authenticated(features());
    fresh.ExpectNext(ScriptedSignIn::clientBind())
        .ExpectNext(ScriptedSignIn::clientSession())
        .Send(ScriptedSignIn::bindAndSessionResults())
        .ExpectNext(ENABLE)
        .Send("<enabled" + SM + " id='S10' resume='true'/>")
        .ExpectNext(acknowledgement(0));
    server_ = std::make_unique<TestSupport::ScriptedTlsServer>(
        *certificates_, std::vector<TlsScript>{std::move(refused), std::move(fresh)});
    engine_.StartSignIn(server_->Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
    ASSERT_TRUE(delegate_.WaitFor("OnSignInSuccess")) << testing::PrintToString(delegate_.Names());
    ASSERT_TRUE(server_->WaitUntilScriptDone(10s, 1)) << failures();
    EXPECT_TRUE(server_->Failures().empty()) << failures();
    EXPECT_EQ(delegate_.Count("OnSignInError"), 0U);
    EXPECT_TRUE(storedSession("S10", 0));
}
