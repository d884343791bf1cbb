// Adding a contact in the running application against the local Prosody, with a slixmpp peer
// as the new buddy: the group made on the group screens files the buddy under it on the
// buddy list and on the server's roster as another client of the user reads it, and a new
// device signing in to the account shows the buddy there again. The add refusals are the
// same as without a server. Every user name is new per test, since the server keeps rosters
// between tests.
#include "AddContactForm.h"
#include "BuddyListProbe.h"
#include "LiveScreenSuite.h"

#include "app/IMScreen.h"
#include "screens/AddContactController.h"
#include "support/PeerClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

using TestSupport::PeerClient;
using TestSupport::PeerEvent;

namespace {

constexpr std::chrono::seconds Wait{20};
const std::string Password = "through the looking glass";

class AddContactLiveTest : public LiveScreenSuite {
protected:
    void SetUp() override
    {
        if (!SetUpAccounts("kim", "lee", Password)) {
            return;
        }
        friend_ = peerUser_;
        ExpectDone(*peer_, "auto_accept on");
        Launch();
    }

    void Launch()
    {
        LaunchSignedIn([] { return BuddyListProbe::RowOf("Friends (") >= 0; });
    }

    // The friend's row follows the header of the group.
    bool FiledUnder(const std::string& header)
    {
        const int row = BuddyListProbe::RowOf(friend_);
        return row > 0 && BuddyListProbe::RowOf(header) == row - 1;
    }

    // The groups of the friend's item in the user's roster as another client of the user
    // reads it.
    std::string ServerGroups()
    {
        std::unique_ptr<PeerClient> other = SignInPeer(*server_, user_, Password, "reader");
        ExpectDone(*other, "roster_get");
        const std::optional<PeerEvent> item =
            other->WaitFor("roster_item", Wait, [&](const PeerEvent& event) { return event["jid"] == Jid(friend_); });
        EXPECT_TRUE(other->Quit());
        return item ? (*item)["groups"] : "(not on the roster)";
    }

    std::string friend_;
};

TEST_F(AddContactLiveTest, ABuddyAddedInANewGroupIsFiledThereHereAndOnTheServer)
{
    AddContactForm form(*app_);
    ASSERT_TRUE(form.Open());
    ASSERT_TRUE(form.TypeInField(user_));
    ASSERT_TRUE(app_->driver.TapAction(AddContactController::ACTION_ADD));
    EXPECT_TRUE(app_->PopupShows("You cannot add yourself as a contact."));
    ASSERT_TRUE(app_->driver.TapAction(IMScreen::ACTION_INFO_OK));
    ASSERT_TRUE(form.TapBack());

    ASSERT_TRUE(form.Open());
    ASSERT_TRUE(form.TypeInField(friend_));
    ASSERT_TRUE(form.ChooseGroup("Team", true)) << app_->driver.Describe();
    ASSERT_TRUE(app_->driver.TapAction(AddContactController::ACTION_ADD));
    ASSERT_EQ("BUDDY_SCREEN", app_->Visible().form);
    // The friend accepts and asks back; the user allows it.
    ASSERT_TRUE(app_->PumpUntil([this] { return app_->driver.FindByActionId(IMScreen::ACTION_QUESTION_YES).has_value(); }))
        << app_->driver.Describe();
    ASSERT_TRUE(app_->driver.TapAction(IMScreen::ACTION_QUESTION_YES));
    EXPECT_TRUE(app_->PumpUntil([this] { return FiledUnder("Team (1/1)"); })) << app_->driver.Describe();
    EXPECT_EQ("Team", ServerGroups());

    ASSERT_TRUE(form.Open());
    ASSERT_TRUE(form.TypeInField(friend_));
    ASSERT_TRUE(app_->driver.TapAction(AddContactController::ACTION_ADD));
    EXPECT_TRUE(app_->PopupShows("This contact is already in your buddy list.")) << app_->driver.Describe();
    ASSERT_TRUE(app_->driver.TapAction(IMScreen::ACTION_INFO_OK));
    ASSERT_TRUE(form.TapBack());

    // A new device (empty stores) signing in to the account finds the friend under Team.
    Launch();
    EXPECT_TRUE(app_->PumpUntil([this] { return FiledUnder("Team (1/1)"); })) << app_->driver.Describe();
}

}  // namespace
