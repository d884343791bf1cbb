// The conversations list in the running application against the local Prosody, with a
// slixmpp peer who is not the user's buddy: the peer's message makes a conversation listed
// with the invisible icon and a badge, it opens a chat whose reply reaches the peer, back
// from the chat lands on the list, and ending the conversation with save keeps a copy.
#include "LiveScreenSuite.h"
#include "VisibleList.h"

#include "app/IMManager.h"
#include "screens/BuddyController.h"
#include "screens/ChatController.h"
#include "screens/ConversationsController.h"
#include "screens/ConversationsScreen.h"
#include "store/MessageModel.h"
#include "store/SavedMessagesModel.h"
#include "support/PeerClient.h"

#include "platform/ArrayList.h"
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
};

TEST_F(ConversationsLiveTest, AStrangersConversationShowsInvisibleOpensAndEndsWithASavedCopy)
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
}

}  // namespace
