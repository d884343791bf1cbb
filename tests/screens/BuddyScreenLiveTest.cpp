// The buddy list in the running application against the local Prosody, with a slixmpp peer
// as the user's friend: the roster, the peer's presence, avatar and messages reach the rows,
// and block and delete chosen on a row reach the server.
#include "BuddyListLiveFixture.h"
#include "BuddyListProbe.h"

#include "app/IMManager.h"
#include "screens/BuddyController.h"
#include "store/ContactModel.h"
#include "store/PropertiesModel.h"

#include <gtest/gtest.h>

#include <memory>

using TestSupport::PeerClient;
using TestSupport::PeerEvent;

namespace {

class BuddyScreenLiveTest : public BuddyListLiveFixture {
protected:
    int FriendPresence()
    {
        const int row = BuddyListProbe::RowOf("Ben");
        const Contact* contact = row >= 0 ? bc.GetContactByIndex(row) : nullptr;
        return contact != nullptr ? contact->GetPresenceType() : -100;
    }

    bool RowIs(const std::string& text)
    {
        const int row = BuddyListProbe::RowOf("Ben");
        return row >= 0 && BuddyListProbe::Rows()[row] == text;
    }
};

TEST_F(BuddyScreenLiveTest, TheFriendsPresenceAvatarAndMessagesFollowTheRow)
{
    SignInAndShowBuddyList();
    ASSERT_TRUE(PumpUntil([this] { return FriendPresence() == Contact::PRESENCE_AVAILABLE; }));
    EXPECT_EQ(BuddyListProbe::RowOf("Work (1/1)") + 1, BuddyListProbe::RowOf("Ben"));

    ExpectDone(*peer_, "presence unavailable");
    EXPECT_TRUE(PumpUntil([this] { return FriendPresence() == Contact::PRESENCE_OFFLINE && BuddyListProbe::RowOf("Work (0/1)") >= 0; }))
        << app_->driver.Describe();
    ExpectDone(*peer_, "presence away back soon");
    EXPECT_TRUE(PumpUntil([this] { return FriendPresence() == Contact::PRESENCE_AWAY && RowIs("Ben | back soon"); }))
        << app_->driver.Describe();
    EXPECT_GE(BuddyListProbe::RowOf("Work (1/1)"), 0);

    ExpectDone(*peer_, "vcard_photo " VELOIM_TEST_DATA "/avatars/teal.png");
    EXPECT_TRUE(PumpUntil([] {
        const int row = BuddyListProbe::RowOf("Ben");
        const Contact* contact = row >= 0 ? bc.GetContactByIndex(row) : nullptr;
        return contact != nullptr && contact->IsHavingAvatar();
    }));

    ExpectDone(*peer_, "send " + Jid(user_) + " are you there?");
    EXPECT_TRUE(PumpUntil([this] { return RowIs("Ben | back soon | 1"); })) << app_->driver.Describe();
    ExpectDone(*peer_, "send " + Jid(user_) + " hello?");
    EXPECT_TRUE(PumpUntil([this] { return RowIs("Ben | back soon | 2"); })) << app_->driver.Describe();
}

TEST_F(BuddyScreenLiveTest, BlockAndDeleteChosenOnTheRowReachTheServer)
{
    SignInAndShowBuddyList();
    ASSERT_TRUE(app_->driver.TapContextItem(BuddyListProbe::RowOf("Ben"), BuddyController::CONTEXT_BLOCK));
    ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_BLOCK_YES));
    // The server's answer takes the friend off the list and marks the contact blocked.
    EXPECT_TRUE(PumpUntil([] { return BuddyListProbe::RowOf("Ben") < 0; })) << app_->driver.Describe();
    std::unique_ptr<Contact> blocked(IMManager::GetContactModel()->GetContactById(IMString(Jid(peerUser_).c_str())));
    ASSERT_NE(blocked, nullptr);
    EXPECT_TRUE(blocked->GetIsBlocked());

    // A blocked contact is off the buddy list, so it is unblocked through the controller the
    // unblock popup answers to.
    bc.SetSelectedContact(IMManager::GetContactModel()->CreateContact(blocked.get()));
    bc.UnBlockContact();
    EXPECT_TRUE(PumpUntil([] { return BuddyListProbe::RowOf("Ben") >= 0; })) << app_->driver.Describe();
    // The server then probes Ben, whose presence redraws the row; a long press held across
    // that redraw would lose its context item, so the test waits as a user sees Ben online.
    const IMString ben(Jid(peerUser_).c_str());
    EXPECT_TRUE(PumpUntil([&] {
        std::unique_ptr<Contact> stored(IMManager::GetContactModel()->GetContactById(ben));
        return stored != nullptr && stored->GetPresenceType() == Contact::PRESENCE_AVAILABLE;
    }));
    app_->driver.PumpAFrame();

    ASSERT_TRUE(app_->driver.TapContextItem(BuddyListProbe::RowOf("Ben"), BuddyController::CONTEXT_DELETE));
    ASSERT_TRUE(app_->PopupShows("Delete Ben?"));
    ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_DELETE_YES));
    EXPECT_TRUE(peer_->WaitFor("unsubscribed", Wait, [&](const PeerEvent& event) { return event["from"].rfind(Jid(user_), 0) == 0; }));
    EXPECT_TRUE(PumpUntil([] { return BuddyListProbe::RowOf("Ben") < 0; })) << app_->driver.Describe();
}

}  // namespace
