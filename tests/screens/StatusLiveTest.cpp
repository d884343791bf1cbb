// The user's own status chosen on the screens, against the local Prosody with a slixmpp peer
// as the user's friend: what the peer sees (busy, available, the status text, invisible) and
// that the user still gets messages while invisible. Every check runs twice: against the
// server with the service's extensions, and against one with Prosody's stock modules alone,
// which refuses the shared status, so the client must fall back to plain presence there.
#include "OwnStatusFixture.h"

#include "app/IMManager.h"
#include "engine/PresenceStatus.h"

#include <gtest/gtest.h>

namespace {

class StatusLiveTest : public OwnStatusFixture {
protected:
    void ShowStatusScreen() { ShowThroughSettings(EVENT_SHOW_STATUS, "STATUS_SCREEN"); }

    void BusyAndAvailableReachThePeer();
    void InvisibleHidesTheUserWhoStillGetsMessages();
};

// The same checks against a server that runs Prosody's stock modules alone.
class StatusStockLiveTest : public StatusLiveTest {
protected:
    static void SetUpTestSuite() { SetUpStockSuite(); }
};

bool RowChosen(AppUnderTest& app, int row)
{
    std::optional<Ixa::Ui::ScreenProbe::Entry> entry = app.driver.FindRow(row);
    return entry && entry->selected;
}

// Busy reaches the peer as do-not-disturb with the status text, available as a presence
// without a show, and the screen ticks what the service reported back.
void StatusLiveTest::BusyAndAvailableReachThePeer()
{
    SetSelfStatus(PresenceStatus::AVAILABLE, "Painting roses");
    ASSERT_TRUE(SeenByPeer("available", "", "Painting roses"));
    ShowStatusScreen();
    EXPECT_TRUE(RowChosen(*app_, 0)) << app_->driver.Describe();

    ASSERT_TRUE(app_->driver.TapRow(1));
    ASSERT_TRUE(SeenByPeer("available", "dnd", "Painting roses"));
    EXPECT_TRUE(SelfStatusIs(PresenceStatus::BUSY));
    EXPECT_TRUE(IMManager::CopySelfStatus().GetDoNotDisturb());
    EXPECT_TRUE(RowChosen(*app_, 1)) << app_->driver.Describe();
    EXPECT_FALSE(RowChosen(*app_, 0));

    ASSERT_TRUE(app_->driver.TapRow(0));
    ASSERT_TRUE(SeenByPeer("available", "", "Painting roses"));
    EXPECT_TRUE(SelfStatusIs(PresenceStatus::AVAILABLE));
    EXPECT_TRUE(RowChosen(*app_, 0));
}

// Invisible: the peer sees the user go, yet the messages the peer sends reach the user, to the
// session's own address and to the bare id alike (an ordinary server holds the latter offline,
// so the client fetches it from the archive). Showing again doubles none of them: a message
// sent after that is the third and last.
void StatusLiveTest::InvisibleHidesTheUserWhoStillGetsMessages()
{
    SetSelfStatus(PresenceStatus::OFFLINE, "");
    ASSERT_TRUE(SeenByPeer("unavailable", ""));
    EXPECT_TRUE(SelfStatusIs(PresenceStatus::OFFLINE));
    EXPECT_TRUE(app_->PumpUntil([] { return IMManager::CopySelfStatus().GetInvisible(); }));

    ExpectDone(*peer_, "send " + Jid(user_) + "/Mobile Are you there?");
    EXPECT_TRUE(app_->PumpUntil([&] { return UnreadFromFriend() == 1; }));
    ExpectDone(*peer_, "send " + Jid(user_) + " Hello, hidden one");
    EXPECT_TRUE(app_->PumpUntil([&] { return UnreadFromFriend() == 2; }));

    ShowStatusScreen();
    ASSERT_TRUE(app_->driver.TapRow(0));
    ASSERT_TRUE(SeenByPeer("available", ""));
    EXPECT_TRUE(app_->PumpUntil([] { return !IMManager::CopySelfStatus().GetInvisible(); }));
    ExpectDone(*peer_, "send " + Jid(user_) + " Welcome back");
    EXPECT_TRUE(app_->PumpUntil([&] { return LastFromFriend() == "Welcome back"; }));
    EXPECT_EQ(UnreadFromFriend(), 3);
}

TEST_F(StatusLiveTest, BusyAndAvailableReachThePeer)
{
    BusyAndAvailableReachThePeer();
    EXPECT_EQ(Refused(), (std::vector<bool>{false, false, false}));
}

// The stock server refuses each extension once, and the client asks it for none again.
TEST_F(StatusStockLiveTest, BusyAndAvailableReachThePeer)
{
    BusyAndAvailableReachThePeer();
    EXPECT_EQ(Refused(), (std::vector<bool>{true, true, true}));
}

TEST_F(StatusLiveTest, InvisibleHidesTheUserWhoStillGetsMessages) { InvisibleHidesTheUserWhoStillGetsMessages(); }

TEST_F(StatusStockLiveTest, InvisibleHidesTheUserWhoStillGetsMessages)
{
    InvisibleHidesTheUserWhoStillGetsMessages();
}

// A server with Prosody's stock modules keeps nothing of the user's status between sessions.
// After it restarts, the client's fresh session still announces the status the user chose:
// busy with its text; and an invisible user stays hidden, yet gets a message.
TEST_F(StatusStockLiveTest, AFreshSessionAfterARestartKeepsTheChosenStatus)
{
    SetSelfStatus(PresenceStatus::BUSY, "Painting roses");
    ASSERT_TRUE(SeenByPeer("available", "dnd", "Painting roses"));
    RestartServer();
    ASSERT_TRUE(SeenByPeer("available", "dnd", "Painting roses"));

    SetSelfStatus(PresenceStatus::OFFLINE, "");
    ASSERT_TRUE(SeenByPeer("unavailable", ""));
    RestartServer();
    ExpectDone(*peer_, "send " + Jid(user_) + " Still hidden?");
    EXPECT_TRUE(app_->PumpUntil([&] { return LastFromFriend() == "Still hidden?"; }));
    const std::optional<TestSupport::PeerEvent> presence = peer_->WaitFor("presence", std::chrono::seconds(1),
        [&](const TestSupport::PeerEvent& event) { return event["from"].rfind(Jid(user_) + "/", 0) == 0 && event["type"] != "unavailable"; });
    EXPECT_FALSE(presence) << "the invisible user was announced: " << (*presence)["type"] << " " << (*presence)["show"];
    EXPECT_TRUE(IMManager::CopySelfStatus().GetInvisible());
}

}  // namespace
