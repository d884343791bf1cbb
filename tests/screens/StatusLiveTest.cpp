// The user's own status chosen on the screens, against the local Prosody with a slixmpp peer
// as the user's friend: what the peer sees (busy, available, the status text, invisible) and
// that the user still gets messages while invisible. Every check runs twice: against the
// server with the service's extensions, and against one with Prosody's stock modules alone,
// which refuses the shared status, so the client must fall back to plain presence there.
#include "BuddyListProbe.h"
#include "LoginForm.h"

#include "app/IMManager.h"
#include "engine/EngineAccess.h"
#include "engine/GtalkRequestController.h"
#include "engine/PresenceStatus.h"
#include "screens/StatusController.h"
#include "store/MessageModel.h"
#include "support/PeerClient.h"
#include "support/ProsodySuite.h"
#include "xmpp/Connection.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

using TestSupport::PeerClient;
using TestSupport::PeerEvent;
using TestSupport::ProsodySuite;

namespace {

constexpr std::chrono::seconds Wait{20};
const std::string Password = "through the looking glass";

std::string Jid(const std::string& user) { return user + "@localhost"; }

class StatusLiveTest : public ProsodySuite {
protected:
    void SetUp() override
    {
        ProsodySuite::SetUp();
        if (IsSkipped()) {
            return;
        }
        static int serial = 0;
        ++serial;
        user_ = "cat" + std::to_string(serial);
        friend_ = "dodo" + std::to_string(serial);
        server_->Register(user_, Password);
        server_->Register(friend_, Password);
        peer_ = SignInPeer(*server_, friend_, Password, "peer");
        MakeFriends(*SignInPeer(*server_, user_, Password, "setup"), {{peer_.get(), "Dodo"}});
        app_ = std::make_unique<AppUnderTest>(AppUnderTest::ServerOf(*server_));
        ASSERT_TRUE(app_->Launched());
        LoginForm form(*app_);
        ASSERT_TRUE(form.SubmitSignIn(user_, Password));
        ASSERT_TRUE(app_->PumpUntil([] { return BuddyListProbe::RowOf("Dodo") >= 0; })) << app_->driver.Describe();
        ASSERT_TRUE(SeenByPeer("available", ""));
    }

    // Waits for the user's next presence at the peer, and answers whether it has that type
    // and show.
    bool SeenByPeer(const std::string& type, const std::string& show, const std::string& status = {})
    {
        std::optional<PeerEvent> presence = NextPresence();
        if (!presence) {
            ADD_FAILURE() << "no presence of the user reached the peer";
            return false;
        }
        EXPECT_EQ((*presence)["type"], type);
        EXPECT_EQ((*presence)["show"], show);
        EXPECT_EQ((*presence)["status"], status);
        return (*presence)["type"] == type && (*presence)["show"] == show && (*presence)["status"] == status;
    }

    std::optional<PeerEvent> NextPresence()
    {
        const std::string from = Jid(user_) + "/Mobile";
        return peer_->WaitFor("presence", Wait, [&](const PeerEvent& event) { return event["from"].rfind(from, 0) == 0; });
    }

    void ShowStatusScreen()
    {
        IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
        IMManager::notifyEvent(EVENT_SHOW_STATUS);
        ASSERT_TRUE(app_->PumpUntil([&] { return app_->Visible().form == "STATUS_SCREEN"; })) << app_->driver.Describe();
    }

    // The user's own status, as the service reported it back.
    bool SelfStatusIs(int code)
    {
        return app_->PumpUntil([&] { return IMManager::CopySelfStatus().GetPresenceStatus() == code; });
    }

    void SetSelfStatus(int code, const char* text)
    {
        PresenceStatus status(IMManager::CopySelfStatus());
        status.SetPresenceStatus(code);
        Ixa::Base::String message(text);
        status.SetCustomStatusMessage(message);
        IMManager::GetRequestController()->SetClientPresence(new PresenceStatus(status));
    }

    int UnreadFromFriend() { return IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(Jid(friend_).c_str()); }

    // Whether the client has taken each of the service's extensions as refused.
    std::vector<bool> Refused()
    {
        ServiceSupport& support = EngineAccess::connection(IMManager::GetRequestController())->serviceSupport();
        return {support.isRefused(ServiceSupport::SHARED_STATUS), support.isRefused(ServiceSupport::NO_SAVE),
            support.isRefused(ServiceSupport::SETTINGS)};
    }

    void BusyAndAvailableReachThePeer();
    void InvisibleHidesTheUserWhoStillGetsMessages(bool bareWhileInvisible);

    std::string user_;
    std::string friend_;
    std::unique_ptr<PeerClient> peer_;
    std::unique_ptr<AppUnderTest> app_;
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

// Invisible: the peer sees the user go, yet a message the peer sends reaches the user. On the
// service a message to the bare id arrives at once; an ordinary server keeps such a message
// until the user shows up again, while one to the session's own address arrives at once.
void StatusLiveTest::InvisibleHidesTheUserWhoStillGetsMessages(bool bareWhileInvisible)
{
    SetSelfStatus(PresenceStatus::OFFLINE, "");
    ASSERT_TRUE(SeenByPeer("unavailable", ""));
    EXPECT_TRUE(SelfStatusIs(PresenceStatus::OFFLINE));
    EXPECT_TRUE(IMManager::CopySelfStatus().GetInvisible());

    ExpectDone(*peer_, "send " + Jid(user_) + "/Mobile Are you there?");
    EXPECT_TRUE(app_->PumpUntil([&] { return UnreadFromFriend() == 1; }));
    ExpectDone(*peer_, "send " + Jid(user_) + " Hello, hidden one");
    if (bareWhileInvisible) {
        EXPECT_TRUE(app_->PumpUntil([&] { return UnreadFromFriend() == 2; }));
    }

    ShowStatusScreen();
    ASSERT_TRUE(app_->driver.TapRow(0));
    ASSERT_TRUE(SeenByPeer("available", ""));
    EXPECT_TRUE(app_->PumpUntil([&] { return UnreadFromFriend() == 2; }));
    EXPECT_TRUE(app_->PumpUntil([] { return !IMManager::CopySelfStatus().GetInvisible(); }));
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

TEST_F(StatusLiveTest, InvisibleHidesTheUserWhoStillGetsMessages) { InvisibleHidesTheUserWhoStillGetsMessages(true); }

TEST_F(StatusStockLiveTest, InvisibleHidesTheUserWhoStillGetsMessages)
{
    InvisibleHidesTheUserWhoStillGetsMessages(false);
}

}  // namespace
