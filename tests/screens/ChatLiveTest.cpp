// The chat screen against a local Prosody and a real slixmpp peer: the user signs in through
// the request controller (as the sign-in screen would) and opens the chat through the screen
// events. Sent text reaches the peer exactly; the peer's awkward text (quotes, markup
// characters, an emoji, 10 KB) is shown and stored exactly; a message arriving in the
// background rings and leaves the entry that opens its chat; a message sent as the server
// dies ends as failed and its resend after signing in again delivers it; a message that the
// server bounces (an address on a domain it cannot reach) ends as failed too, and so does
// its resend.
#include "ChatFixture.h"

#include "support/LocalProsody.h"
#include "support/PeerClient.h"

#include "app/IMManager.h"
#include "app/ScreenStates.h"
#include "engine/GtalkRequestController.h"
#include "platform/DeviceLog.h"
#include "platform/SettingInfo.h"
#include "store/MessageModel.h"
#include "xmpp/Connection.h"
#include "xmpp/Constants.h"

#include <cstdlib>
#include <thread>

using namespace std::chrono_literals;
using TestSupport::LocalProsody;
using TestSupport::PeerClient;
using TestSupport::PeerEvent;

namespace {

constexpr std::chrono::seconds Wait{20};
const std::string Password = "a quiet afternoon";

class ChatLiveTest : public ChatFixture {
protected:
    void SetUp() override
    {
        if (Constants::DOMAIN.ToUtf8() != "localhost") {
            GTEST_SKIP() << "the service domain is not \"localhost\", which the local server stands in for";
        }
        server_.Start();
        setenv("VELOIM_CA_FILE", server_.CaFile().c_str(), 1);
        ChatFixture::SetUp();
        user_ = NewUser("alice");
        peerUser_ = NewUser("bob");
    }

    void TearDown() override { unsetenv("VELOIM_CA_FILE"); }

    std::string NewUser(const std::string& base)
    {
        static int serial = 0;
        const std::string user = base + std::to_string(++serial);
        server_.Register(user, Password);
        return user;
    }

    static std::string Jid(const std::string& user) { return user + "@localhost"; }

    std::unique_ptr<PeerClient> Peer()
    {
        auto peer = std::make_unique<PeerClient>(PeerClient::Options{Jid(peerUser_), Password, server_.Port(), server_.CaFile()});
        peer->Start();
        return peer;
    }

    // Signs the user in as the sign-in screen does and waits until the lists are in.
    void SignIn()
    {
        GtalkRequestController* requests = IMManager::GetRequestController();
        requests->SetInitialListReceived(false);
        requests->GetConnection()->setServerAddress(IMString("localhost"), server_.Port());
        IMString name(user_.c_str());
        IMString secret(Password.c_str());
        requests->SetUsername(&name);
        requests->SetPassword(&secret);
        requests->SignIn(nullptr);
        ASSERT_TRUE(WaitUntil([] { return IMManager::GetIsAppSignedIn(); }, Wait)) << app.driver.Describe();
        ASSERT_TRUE(WaitUntil([requests] { return requests->IsInitialListReceived(); }, Wait));
    }

    void Expect(PeerClient& peer, const std::string& command)
    {
        const std::optional<PeerEvent> outcome = peer.Run(command);
        ASSERT_TRUE(outcome) << command.substr(0, 80) << "\n" << peer.Diagnostics();
        EXPECT_EQ("done", outcome->Name()) << (*outcome)["text"];
    }

    std::string LastStoredText()
    {
        const auto stored = Stored(Jid(peerUser_));
        return stored.empty() ? std::string() : stored.back()->GetMessage().ToUtf8();
    }

    LocalProsody server_;
    std::string user_;
    std::string peerUser_;
};

TEST_F(ChatLiveTest, TextTravelsExactlyBothWays)
{
    std::unique_ptr<PeerClient> peer = Peer();
    SignIn();
    OpenChat(Jid(peerUser_), "Bob");
    TypeIntoChat("hello :)");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    const std::optional<PeerEvent> received = peer->WaitFor("message", Wait);
    ASSERT_TRUE(received) << peer->Diagnostics();
    EXPECT_EQ("hello :)", (*received)["body"]);
    EXPECT_EQ(0u, (*received)["from"].rfind(Jid(user_) + "/", 0)) << (*received)["from"];
    ASSERT_TRUE(WaitUntil([this] {
        const auto stored = Stored(Jid(peerUser_));
        return stored.size() == 1 && stored[0]->GetMessageType() == 2 && Bubble(0)->GetKind() == ChatBubbleItem::SENT;
    })) << "stored as sent";
    ASSERT_EQ(2u, Bubble(0)->GetSegments().size());
    EXPECT_EQ("hello ", Bubble(0)->GetSegments()[0].value.ToUtf8());
    EXPECT_EQ("Google/emoticons/round/30/smile.png", Bubble(0)->GetSegments()[1].value.ToUtf8());

    const std::string awkward = "He said \"it's <b>fine</b> & done\" \xF0\x9F\x98\x80 ok";
    std::string long_text;
    while (long_text.size() < 10 * 1024) {
        long_text += "line " + std::to_string(long_text.size()) + " of a long message; ";
    }
    Expect(*peer, "send " + Jid(user_) + " " + PeerClient::EscapeText(awkward));
    ASSERT_TRUE(WaitUntil([&] { return LastStoredText() == awkward; })) << LastStoredText();
    Expect(*peer, "send " + Jid(user_) + " " + PeerClient::EscapeText(long_text));
    ASSERT_TRUE(WaitUntil([&] { return LastStoredText() == long_text; }));
    // The screen catches up with the store on its own thread.
    ASSERT_TRUE(WaitUntil([&] { return Rows().size() == 3u; })) << Rows().size();
    const std::vector<std::string> rows = Rows();
    EXPECT_EQ(0u, rows[1].rfind(awkward + " | ", 0)) << rows[1];
    EXPECT_EQ(0u, rows[2].rfind(long_text + " | ", 0));
    EXPECT_EQ(0, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(Jid(peerUser_).c_str())) << "read while shown";
}

TEST_F(ChatLiveTest, BackgroundMessageRingsAndItsEntryOpensTheChatRead)
{
    std::unique_ptr<PeerClient> peer = Peer();
    SignIn();
    ASSERT_EQ("BUDDY_SCREEN", app.Visible().form);
    for (const bool silent : {false, true}) {
        Ixa::System::SettingInfo::SetValue("SilentMode", silent);
        app.driver.Home();
        Ixa::System::DeviceLog::Clear();
        const std::string text = silent ? "second, quietly" : "are you there?";
        Expect(*peer, "send " + Jid(user_) + " " + text);
        ASSERT_TRUE(WaitUntil([&] { return !Ixa::System::DeviceLog::GetEntries().empty(); }));
        EXPECT_EQ(std::vector<std::string>{silent ? "vibrate 1000 0" : "play /Res/msn_newmsg.amr"}, Ixa::System::DeviceLog::GetEntries());
        EXPECT_EQ(1, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(Jid(peerUser_).c_str()));
        ASSERT_TRUE(app.driver.SelectNotification()) << "the ongoing entry is there";
        EXPECT_EQ(STATE_CHAT, IMManager::GetScreenStatesObj()->getState());
        EXPECT_EQ(Jid(peerUser_), app.Visible().title);
        EXPECT_EQ(0, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(Jid(peerUser_).c_str()));
        ASSERT_FALSE(Rows().empty());
        EXPECT_EQ(0u, Rows().back().rfind(text + " | ", 0)) << Rows().back();
        if (!silent) {
            TypeIntoChat("yes, here");
            ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
            const std::optional<PeerEvent> reply = peer->WaitFor("message", Wait);
            ASSERT_TRUE(reply) << "a reply to someone who is not a buddy arrives";
            EXPECT_EQ("yes, here", (*reply)["body"]);
            ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_BACK));
        }
    }
}

// The server dies under an open chat: the chat stays, a message typed meanwhile waits as
// "sending", and once the server is back the client signs in by itself and the message goes
// out, stored as sent, once.
TEST_F(ChatLiveTest, MessageSentWhileTheServerIsDownWaitsAndGoesOutWhenItIsBack)
{
    SignIn();
    OpenChat(Jid(peerUser_), "Bob");
    TypeIntoChat("did you get this?");
    server_.Kill();
    ASSERT_TRUE(WaitUntil([] { return IMManager::IsReconnecting(); })) << "the client sets about coming back";
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND)) << app.driver.Describe();
    ASSERT_TRUE(WaitUntil([this] {
        const auto stored = Stored(Jid(peerUser_));
        return stored.size() == 1 && stored[0]->GetMessageType() == Message::TYPE_SENDING;
    })) << "the message waits as sending";
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_TRUE(IMManager::GetIsAppSignedIn());

    // The server comes back where it was, over its own data, accounts and certificate included.
    server_.Start();
    std::unique_ptr<PeerClient> peer = Peer();
    const std::optional<PeerEvent> received = peer->WaitFor("message", Wait);
    ASSERT_TRUE(received) << peer->Diagnostics();
    EXPECT_EQ("did you get this?", (*received)["body"]);
    ASSERT_TRUE(WaitUntil([this] {
        const auto stored = Stored(Jid(peerUser_));
        return stored.size() == 1 && stored[0]->GetMessageType() == Message::TYPE_SENT &&
               Bubble(0)->GetKind() == ChatBubbleItem::SENT;
    })) << "the message is stored as sent, once";
    EXPECT_FALSE(IMManager::IsReconnecting());
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
}

TEST_F(ChatLiveTest, MessageTheServerBouncesShowsFailedAndCanBeSentAgain)
{
    const std::string nowhere = "nobody@nowhere.invalid";
    SignIn();
    OpenChat(nowhere, "Nobody");
    TypeIntoChat("anyone there?");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    auto failedOnce = [&] {
        const auto stored = Stored(nowhere);
        return stored.size() == 1 && stored[0]->GetMessageType() == Message::TYPE_SEND_FAILED
            && Bubble(0)->GetKind() == ChatBubbleItem::FAILED;
    };
    ASSERT_TRUE(WaitUntil(failedOnce)) << "the bounce marks the row failed:\n" << app.driver.Describe();
    const long long id = Stored(nowhere)[0]->GetMessageId();
    const IMDateTime firstTry = Stored(nowhere)[0]->GetTimeStamp();

    // A resend is stamped with its own time, so the row shows when it bounced again.
    std::this_thread::sleep_for(5ms);
    ASSERT_TRUE(app.driver.TapRowElement(0, ChatBubbleItem::ELEMENT_RESEND));
    ASSERT_TRUE(WaitUntil([&] { return failedOnce() && Stored(nowhere)[0]->GetTimeStamp() != firstTry; }))
        << "sent again and bounced again:\n" << app.driver.Describe();
    EXPECT_EQ(id, Stored(nowhere)[0]->GetMessageId()) << "one message, one row";
    EXPECT_EQ("anyone there?", Stored(nowhere)[0]->GetMessage().ToUtf8());
    EXPECT_TRUE(IMManager::GetIsAppSignedIn()) << "a bounce is no connection fault";
}

}  // namespace
