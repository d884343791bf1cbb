// The block list against the local Prosody with a slixmpp peer as the user's friend: blocking
// from the buddy list puts the peer on the block list and keeps its messages from the user,
// unblocking from the block list lets them through again, and deleting from the block list
// takes the contact off the server's roster.
#include "BuddyListLiveFixture.h"
#include "BuddyListProbe.h"
#include "VisibleList.h"

#include "app/IMManager.h"
#include "screens/BlockedListController.h"
#include "screens/BlockedListSelectionController.h"
#include "screens/BuddyController.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"

#include "platform/ArrayList.h"
#include "platform/Footer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class BlockedListLiveTest : public BuddyListLiveFixture {
protected:
    std::unique_ptr<Contact> Stored() { return std::unique_ptr<Contact>(IMManager::GetContactModel()->GetContactById(IMString(Jid(peerUser_).c_str()))); }

    bool StoredBlocked(bool blocked)
    {
        std::unique_ptr<Contact> contact = Stored();
        return contact != nullptr && contact->GetIsBlocked() == blocked;
    }

    bool Received(const std::string& text)
    {
        std::unique_ptr<Ixa::Base::Collection::ArrayList> stored(
            IMManager::GetMessageModel()->GetAllMessagesWithUser(IMString(Jid(peerUser_).c_str()), true));
        bool found = false;
        for (int i = 0; stored != nullptr && i < stored->GetCount(); ++i) {
            found = found || static_cast<const Message*>(stored->GetAt(i))->GetMessage().ToUtf8() == text;
        }
        if (stored != nullptr) {
            stored->RemoveAll(true);
        }
        return found;
    }

    void BlockFromTheBuddyList()
    {
        ASSERT_TRUE(app_->driver.TapContextItem(BuddyListProbe::RowOf("Ben"), BuddyController::CONTEXT_BLOCK));
        ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_BLOCK_YES));
        ASSERT_TRUE(PumpUntil([this] { return StoredBlocked(true) && BuddyListProbe::RowOf("Ben") < 0; })) << app_->driver.Describe();
    }

    // The settings screen leads to the block list.
    void ShowBlockList()
    {
        IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
        IMManager::notifyEvent(EVENT_SHOW_BLOCKED_LIST);
        app_->driver.PumpUntilIdle();
        ASSERT_EQ((AppUnderTest::Screen{"BLOCKED_LIST", "Blocked contacts"}), app_->Visible());
    }
};

TEST_F(BlockedListLiveTest, BlockUnblockAndDeleteAgainstTheServer)
{
    SignInAndShowBuddyList();
    BlockFromTheBuddyList();
    ShowBlockList();
    EXPECT_EQ(std::vector<std::string>{"Ben | " + Jid(peerUser_)}, VisibleListRows());

    ExpectDone(*peer_, "send " + Jid(user_) + " while blocked");
    // The server has handled the message once it has answered the peer's next request.
    ExpectDone(*peer_, "roster_get");
    ASSERT_TRUE(app_->driver.TapContextItem(0, BlockedListController::CONTEXT_UNBLOCK));
    EXPECT_TRUE(VisibleListRows().empty());
    ASSERT_TRUE(PumpUntil([this] { return StoredBlocked(false); })) << "the server's push unblocks";
    ExpectDone(*peer_, "send " + Jid(user_) + " after unblocking");
    ASSERT_TRUE(PumpUntil([this] { return Received("after unblocking"); }));
    EXPECT_FALSE(Received("while blocked")) << "the server kept it from the user";
    EXPECT_TRUE(VisibleListRows().empty());

    ASSERT_TRUE(app_->driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
    ASSERT_TRUE(PumpUntil([] { return BuddyListProbe::RowOf("Ben") >= 0; })) << app_->driver.Describe();
    BlockFromTheBuddyList();
    ShowBlockList();
    ASSERT_TRUE(app_->driver.TapAction(BlockedListController::ACTION_DELETE_SCREEN));
    ASSERT_TRUE(app_->driver.TapRow(1));
    ASSERT_TRUE(app_->driver.TapAction(BlockedListSelectionController::ACTION_CARRY_OUT));
    EXPECT_TRUE(PumpUntil([this] { return Stored() == nullptr; })) << "the server's push removes the contact";
    EXPECT_EQ((AppUnderTest::Screen{"BLOCKED_LIST", "Blocked contacts"}), app_->Visible());
    EXPECT_TRUE(VisibleListRows().empty());
    EXPECT_TRUE(peer_->WaitFor("unsubscribed", Wait, [this](const TestSupport::PeerEvent& event) { return event["from"].rfind(Jid(user_), 0) == 0; }))
        << "the peer is told the user no longer follows it";
}

}  // namespace
