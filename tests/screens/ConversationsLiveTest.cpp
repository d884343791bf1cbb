// The conversations list in the running application against the local Prosody, with a
// slixmpp peer who is not the user's buddy: the peer's message makes a conversation listed
// with the invisible icon and a badge, it opens a chat whose reply reaches the peer, back
// from the chat lands on the list and a tap reopens it, and ending the conversation with save
// keeps a copy. The peer's next message is saved (still unread) and then deleted with
// select-all, which keeps no copy; of the two saved copies, the protected one survives
// deleting them all.
#include "LiveScreenSuite.h"
#include "VisibleList.h"

#include "app/IMManager.h"
#include "screens/BuddyController.h"
#include "screens/ChatController.h"
#include "screens/ConversationsController.h"
#include "screens/ConversationsScreen.h"
#include "screens/DeleteConvController.h"
#include "screens/RestoreChatController.h"
#include "screens/RestoreChecklistController.h"
#include "screens/RestoreController.h"
#include "screens/SettingsController.h"
#include "store/Message.h"
#include "store/MessageModel.h"
#include "store/SavedMessagesModel.h"
#include "support/PeerClient.h"

#include "platform/ArrayList.h"
#include "platform/Footer.h"
#include "platform/ScreenProbe.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using TestSupport::PeerEvent;

namespace {

constexpr std::chrono::seconds Wait{20};
const std::string Password = "a long way round";

class ConversationsLiveTest : public LiveScreenSuite {
protected:
    void SetUp() override
    {
        if (SetUpAccounts("uma", "vic", Password)) {
            LaunchSignedIn([this] { return app_->Visible().form == "BUDDY_SCREEN"; });
        }
    }

    bool Tap(int actionId)
    {
        const bool tapped = app_->driver.TapAction(actionId);
        app_->driver.PumpUntilIdle();
        return tapped;
    }

    bool TapRow(int row)
    {
        const bool tapped = app_->driver.TapRow(row);
        app_->driver.PumpUntilIdle();
        return tapped;
    }

    static int SavedCopies()
    {
        std::unique_ptr<Ixa::Base::Collection::ArrayList> keys(IMManager::GetSavedMessagesModel()->GetAllUserIds());
        const int count = keys != nullptr ? keys->GetCount() : 0;
        if (keys != nullptr) {
            keys->RemoveAll(true);
        }
        return count;
    }
};

TEST_F(ConversationsLiveTest, AStrangersConversationIsListedReopenedSavedEndedAndDeletedAndTheProtectedCopyStays)
{
    ExpectDone(*peer_, "send " + Jid(user_) + " hello from nowhere");
    ASSERT_TRUE(Tap(BuddyController::ACTION_CONVERSATIONS));
    ASSERT_EQ("CONVERSATIONS_SCREEN", app_->Visible().form);
    const std::string first = Jid(peerUser_) + " | ";
    ASSERT_TRUE(app_->PumpUntil([&] { return VisibleListRows().size() == 1 && VisibleListRows()[0].rfind(first, 0) == 0; }))
        << app_->driver.Describe();
    EXPECT_NE(std::string::npos, VisibleListRows()[0].find(" | hello from nowhere | 1")) << VisibleListRows()[0];
    EXPECT_EQ(0, app_->driver.CountColourPixels(app_->driver.RowElementOnScreen(0, ConversationsScreen::ELEMENT_PRESENCE)));

    ASSERT_TRUE(app_->driver.TapRow(0));
    app_->driver.PumpUntilIdle();
    ASSERT_EQ("CHAT_SCREEN", app_->Visible().form);
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "EditArea") {
            ASSERT_TRUE(app_->driver.OpenKeypad(entry));
            ASSERT_TRUE(app_->driver.Type("who is this?"));
            ASSERT_TRUE(app_->driver.CloseKeypad());
        }
    }
    ASSERT_TRUE(Tap(ChatController::ACTION_SEND));
    const std::optional<PeerEvent> reply = peer_->WaitFor("message", Wait);
    ASSERT_TRUE(reply) << peer_->Diagnostics() << app_->driver.Describe();
    EXPECT_EQ("who is this?", (*reply)["body"]);

    ASSERT_TRUE(Tap(ChatController::ACTION_BACK));
    ASSERT_EQ("CONVERSATIONS_SCREEN", app_->Visible().form);
    ASSERT_TRUE(app_->PumpUntil([&] { return VisibleListRows().size() == 1 && VisibleListRows()[0].find("who is this?") != std::string::npos; }));
    ASSERT_TRUE(TapRow(0));
    ASSERT_EQ("CHAT_SCREEN", app_->Visible().form) << "a tap reopens the chat";
    EXPECT_EQ(2u, VisibleListRows().size()) << "the message and the reply";
    ASSERT_TRUE(Tap(ChatController::ACTION_BACK));
    ASSERT_EQ("CONVERSATIONS_SCREEN", app_->Visible().form);
    ASSERT_TRUE(app_->driver.TapContextItem(0, ConversationsController::CONTEXT_END));
    ASSERT_TRUE(Tap(ConversationsController::ACTION_SAVE_AND_END));
    EXPECT_TRUE(VisibleListRows().empty());
    EXPECT_FALSE(IMManager::GetMessageModel()->IsChatPresentWithUser(Jid(peerUser_).c_str()));
    std::unique_ptr<Ixa::Base::Collection::ArrayList> keys(IMManager::GetSavedMessagesModel()->GetAllUserIds());
    ASSERT_NE(nullptr, keys);
    ASSERT_EQ(1, keys->GetCount());
    std::unique_ptr<Ixa::Base::Collection::ArrayList> saved(
        IMManager::GetSavedMessagesModel()->GetAllMessagesWithUser(*static_cast<const Ixa::Base::String*>(keys->GetAt(0))));
    EXPECT_EQ(2, saved != nullptr ? saved->GetCount() : 0) << "the message and the reply";
    if (saved != nullptr) {
        saved->RemoveAll(true);
    }
    keys->RemoveAll(true);

    // Saving leaves the new message unread; deleting with select-all keeps no copy.
    ExpectDone(*peer_, "send " + Jid(user_) + " still there?");
    ASSERT_TRUE(app_->PumpUntil([&] { return VisibleListRows().size() == 1; })) << app_->driver.Describe();
    ASSERT_TRUE(app_->driver.TapContextItem(0, ConversationsController::CONTEXT_SAVE));
    app_->driver.PumpUntilIdle();
    EXPECT_TRUE(app_->PopupShows("Saved"));
    EXPECT_EQ(2, SavedCopies());
    EXPECT_EQ(1, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(Jid(peerUser_).c_str()));
    ASSERT_EQ(1u, VisibleListRows().size());
    EXPECT_NE(std::string::npos, VisibleListRows()[0].find(" | still there? | 1")) << VisibleListRows()[0];
    app_->driver.AdvanceTime(ConversationsController::SAVED_NOTICE_MS + 10);
    app_->driver.PumpUntilIdle();
    ASSERT_FALSE(app_->PopupShows("Saved"));
    ASSERT_TRUE(Tap(ConversationsController::ACTION_DELETE_SCREEN));
    ASSERT_EQ("DELETE_CONVERSATION_SCREEN", app_->Visible().form);
    ASSERT_TRUE(TapRow(0));
    ASSERT_TRUE(Tap(DeleteConvController::ACTION_DELETE));
    ASSERT_EQ("CONVERSATIONS_SCREEN", app_->Visible().form);
    EXPECT_TRUE(VisibleListRows().empty());
    EXPECT_FALSE(IMManager::GetMessageModel()->IsChatPresentWithUser(Jid(peerUser_).c_str()));
    EXPECT_EQ(2, SavedCopies()) << "deleting keeps no copy";

    // Of the two saved copies, the protected one survives deleting them all.
    ASSERT_TRUE(Tap(ConversationsController::ACTION_SETTINGS));
    ASSERT_TRUE(Tap(SettingsController::ACTION_BACKUP));
    ASSERT_EQ("RESTORE_SCREEN", app_->Visible().form);
    ASSERT_EQ(2u, VisibleListRows().size());
    ASSERT_TRUE(TapRow(1));
    ASSERT_EQ("RESTORE_CHAT_SCREEN", app_->Visible().form);
    EXPECT_EQ(1u, VisibleListRows().size()) << "the copy saved with one message";
    ASSERT_TRUE(Tap(RestoreChatController::ACTION_PROTECT));
    ASSERT_TRUE(Tap(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));
    ASSERT_EQ("RESTORE_SCREEN", app_->Visible().form);
    ASSERT_TRUE(Tap(RestoreController::ACTION_DELETE));
    ASSERT_TRUE(TapRow(0));
    ASSERT_TRUE(Tap(RestoreChecklistController::ACTION_DONE));
    ASSERT_EQ("RESTORE_SCREEN", app_->Visible().form);
    EXPECT_EQ(1u, VisibleListRows().size());
    ASSERT_EQ(1, SavedCopies());
    keys.reset(IMManager::GetSavedMessagesModel()->GetAllUserIds());
    const Ixa::Base::String left = *static_cast<const Ixa::Base::String*>(keys->GetAt(0));
    keys->RemoveAll(true);
    EXPECT_TRUE(IMManager::GetSavedMessagesModel()->IsConversationProtectedWithUser(left));
    saved.reset(IMManager::GetSavedMessagesModel()->GetAllMessagesWithUser(left));
    ASSERT_NE(nullptr, saved);
    ASSERT_EQ(1, saved->GetCount()) << "the protected copy is the one that stays";
    EXPECT_EQ("still there?", static_cast<const Message*>(saved->GetAt(0))->GetMessage().ToUtf8());
    saved->RemoveAll(true);
}

}  // namespace
