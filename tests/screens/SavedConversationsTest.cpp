// The saved-conversation screens over a seeded saved-messages store: the list with each
// conversation's last local date and time in both hour styles, one conversation as bubbles
// with its protection switched on and off and its delete confirmation, the delete screen's
// select-all rules with a protected conversation surviving "delete all", and the protect
// screen.
#include "ChatFixture.h"
#include "BuddyListProbe.h"
#include "VisibleList.h"

#include "app/IMManager.h"
#include "screens/RestoreChatController.h"
#include "screens/RestoreChecklistController.h"
#include "screens/RestoreController.h"
#include "screens/TextMetrics.h"
#include "store/Contact.h"
#include "store/MessageModel.h"
#include "store/SavedMessagesModel.h"

#include "platform/ArrayList.h"
#include "platform/Footer.h"
#include "platform/ListView.h"
#include "platform/SettingInfo.h"
#include "platform/SystemTime.h"

#include <ctime>

namespace {

// A key as saving makes it: the user's name, "_" and the time of saving as the stores write it.
const char* const ZedKey = "zed_2026-03-05T13:47:02.120Z";

// The UTC time whose local reading is the given wall-clock time.
std::string UtcOfLocal(int year, int month, int day, int hour, int minute)
{
    std::tm wall{};
    wall.tm_year = year - 1900;
    wall.tm_mon = month - 1;
    wall.tm_mday = day;
    wall.tm_hour = hour;
    wall.tm_min = minute;
    const long long asUtc = static_cast<long long>(timegm(&wall)) * 1000;
    const long long utc = asUtc - 60000LL * Ixa::System::SystemTime::GetLocalOffsetMinutes(asUtc, true);
    Ixa::Base::DateTime time;
    time.SetValue(utc);
    return time.ToString().ToUtf8();
}

class SavedConversationsTest : public ChatFixture {
protected:
    void SetUp() override
    {
        ChatFixture::SetUp();
        Save("zed@elsewhere.org", ZedKey, {{"look :) at https://example.org", 3}, {"nice", 2}}, UtcOfLocal(2026, 3, 5, 13, 45));
        Save("bob@localhost", "bob_2", {{"night", 3}}, UtcOfLocal(2026, 3, 6, 0, 0));
        // Bob is a stored contact with a picture; Zed and Carol are not.
        BuddyListProbe::AddContact("bob@localhost", "Bob", "Friends", Contact::PRESENCE_AVAILABLE);
        BuddyListProbe::SetAvatar("bob@localhost", VELOIM_TEST_DATA "/avatars/teal.png");
        Save("carol@localhost", "carol_3", {{"hi", 2}}, UtcOfLocal(2026, 3, 7, 9, 5));
    }

    static void Save(const std::string& user, const std::string& key, const std::vector<std::pair<std::string, int>>& texts,
        const std::string& lastUtc)
    {
        auto* list = new Ixa::Base::Collection::ArrayList;
        list->Construct(4);
        for (const auto& [text, type] : texts) {
            Message* message = IMManager::GetMessageModel()->CreateMessage();
            IMDateTime time;
            Ixa::Base::DateTime::Parse(lastUtc.c_str(), time);
            message->SetOtherUserId(user.c_str());
            message->SetMessage(text.c_str());
            message->SetMessageType(type);
            message->SetTimeStamp(time);
            list->Add(message);
        }
        ASSERT_TRUE(IMManager::GetSavedMessagesModel()->SaveAllMessagesWithUser(list, key.c_str()));
    }

    void ShowList()
    {
        IMManager::setState(STATE_SETTINGS);
        IMManager::notifyEvent(EVENT_SHOW_RESTORE);
        app.driver.PumpUntilIdle();
        ASSERT_EQ("RESTORE_SCREEN", app.Visible().form);
    }

    bool Offers(int actionId) const { return app.driver.FindByActionId(actionId).has_value(); }

    static bool IsProtected(const char* key) { return IMManager::GetSavedMessagesModel()->IsConversationProtectedWithUser(key); }

    static std::string Checks()
    {
        std::string marks;
        Ixa::Ui::Controls::ListView* list = VisibleList();
        for (int row = 0; list != nullptr && row < list->GetItemCount(); ++row) {
            marks += list->IsItemChecked(row) ? 'x' : '-';
        }
        return marks;
    }
};

TEST_F(SavedConversationsTest, TheListShowsEachLastLocalDateInTheChosenHourStyle)
{
    ShowList();
    EXPECT_EQ((std::vector<std::string>{"zed@elsewhere.org | 03/05/26 01:45 PM", "Bob | 03/06/26 12:00 AM",
                  "carol@localhost | 03/07/26 09:05 AM"}),
        VisibleListRows());
    Screenshot("saved_conversations");

    // A stored contact's conversation is titled with its name and shows its picture, as the chat does.
    ASSERT_TRUE(app.driver.TapRow(1));
    app.driver.PumpUntilIdle();
    ASSERT_EQ((AppUnderTest::Screen{"RESTORE_CHAT_SCREEN", "Bob"}), app.Visible());
    EXPECT_GT(app.driver.CountColourPixels(app.driver.RowElementOnScreen(0, ChatBubbleItem::ELEMENT_AVATAR)), 0);
    ASSERT_TRUE(Tap(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));
    ASSERT_EQ("RESTORE_SCREEN", app.Visible().form);

    Ixa::System::SettingInfo::SetValue("24HourFormatSelected", true);
    IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
    app.driver.PumpUntilIdle();
    ShowList();
    EXPECT_EQ((std::vector<std::string>{"zed@elsewhere.org | 03/05/26 13:45", "Bob | 03/06/26 00:00",
                  "carol@localhost | 03/07/26 09:05"}),
        VisibleListRows());
}

TEST_F(SavedConversationsTest, AConversationShowsAsBubblesAndIsProtectedUnprotectedAndDeleted)
{
    ShowList();
    ASSERT_TRUE(app.driver.TapRow(0));
    app.driver.PumpUntilIdle();
    ASSERT_EQ((AppUnderTest::Screen{"RESTORE_CHAT_SCREEN", "zed@elsewhere.org"}), app.Visible())
        << "the header names the user as the list does, not the stored key";
    EXPECT_TRUE(RestoreController::isRestoreChatScreen);
    ASSERT_EQ(2u, Rows().size());
    ChatBubbleItem* first = Bubble(0);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(ChatBubbleItem::RECEIVED, first->GetKind());
    ASSERT_EQ(3u, first->GetSegments().size()) << "text, the smile picture, text with the link";
    EXPECT_EQ(EmoticonSegment::Kind::Picture, first->GetSegments()[1].kind);
    EXPECT_EQ(ChatBubbleItem::SENT, Bubble(1)->GetKind());
    Screenshot("saved_conversation");

    EXPECT_TRUE(Offers(RestoreChatController::ACTION_PROTECT));
    EXPECT_TRUE(Offers(RestoreChatController::ACTION_DELETE));
    ASSERT_TRUE(Tap(RestoreChatController::ACTION_PROTECT));
    EXPECT_TRUE(IsProtected(ZedKey));
    EXPECT_TRUE(Offers(RestoreChatController::ACTION_UNPROTECT));
    EXPECT_FALSE(Offers(RestoreChatController::ACTION_DELETE)) << "a protected conversation offers no delete";
    ASSERT_TRUE(Tap(RestoreChatController::ACTION_UNPROTECT));
    EXPECT_FALSE(IsProtected(ZedKey));
    ASSERT_TRUE(Tap(RestoreChatController::ACTION_DELETE));
    ASSERT_TRUE(app.PopupShows("Delete zed@elsewhere.org, 03/05/26 01:45 PM?"));
    ASSERT_TRUE(Tap(RestoreChatController::ACTION_DELETE_NO));
    EXPECT_EQ("RESTORE_CHAT_SCREEN", app.Visible().form);
    ASSERT_TRUE(Tap(RestoreChatController::ACTION_DELETE));
    ASSERT_TRUE(Tap(RestoreChatController::ACTION_DELETE_YES));
    EXPECT_EQ("RESTORE_SCREEN", app.Visible().form);
    EXPECT_FALSE(RestoreController::isRestoreChatScreen);
    EXPECT_EQ(2u, VisibleListRows().size());
    EXPECT_EQ(0u, VisibleListRows()[0].rfind("Bob | ", 0));
}

TEST_F(SavedConversationsTest, AProtectedConversationSurvivesDeleteAllAndTheProtectScreenSwitchesIt)
{
    ASSERT_TRUE(IMManager::GetSavedMessagesModel()->ProtectConversation("bob_2"));
    ShowList();
    ASSERT_TRUE(Tap(RestoreController::ACTION_DELETE));
    ASSERT_EQ("DELETE_RESTORE_SCREEN", app.Visible().form);
    ASSERT_EQ(4u, VisibleListRows().size());
    EXPECT_EQ("Select all", VisibleListRows()[0]);
    Ixa::Ui::Controls::ListView* list = VisibleList();
    EXPECT_FALSE(list->GetItemAt(2)->GetElementBounds(RestoreChecklistController::ELEMENT_LOCK).IsEmpty()) << "Bob's is locked";
    EXPECT_TRUE(list->GetItemAt(1)->GetElementBounds(RestoreChecklistController::ELEMENT_LOCK).IsEmpty());
    // The lock keeps to the date's line, and the address has the whole line up to the check mark.
    const Ixa::Graphics::Rectangle lock = list->GetItemAt(2)->GetElementBounds(RestoreChecklistController::ELEMENT_LOCK);
    const Ixa::Graphics::Rectangle bob = list->GetItemAt(2)->GetElementBounds(RestoreController::ELEMENT_USER);
    EXPECT_GE(lock.y, bob.y + bob.height);
    EXPECT_GE(list->GetItemAt(1)->GetElementBounds(RestoreController::ELEMENT_USER).width, TextMetrics::Width("zed@elsewhere.org", 32));
    EXPECT_EQ("0 items selected", FirstLabel());
    EXPECT_FALSE(Enabled(RestoreChecklistController::ACTION_DONE)) << "nothing to delete yet";
    ASSERT_TRUE(app.driver.TapRow(3));
    EXPECT_EQ("---x", Checks());
    EXPECT_EQ("1 item selected", FirstLabel());
    EXPECT_TRUE(Enabled(RestoreChecklistController::ACTION_DONE));
    Screenshot("saved_conversations_delete");
    ASSERT_TRUE(app.driver.TapRow(0));
    EXPECT_EQ("xxxx", Checks());
    ASSERT_TRUE(app.driver.TapRow(1));
    EXPECT_EQ("--xx", Checks());
    ASSERT_TRUE(app.driver.TapRow(1));
    EXPECT_EQ("xxxx", Checks());
    ASSERT_TRUE(Tap(RestoreChecklistController::ACTION_DONE));
    ASSERT_EQ("RESTORE_SCREEN", app.Visible().form);
    ASSERT_EQ(1u, VisibleListRows().size());
    EXPECT_EQ(0u, VisibleListRows()[0].rfind("Bob | ", 0)) << "the protected conversation stays";

    ASSERT_TRUE(Tap(RestoreController::ACTION_PROTECT));
    ASSERT_EQ("PROTECT_RESTORE_SCREEN", app.Visible().form);
    EXPECT_EQ("x", Checks()) << "checked while protected";
    EXPECT_EQ("", FirstLabel()) << "protecting counts nothing: unchecked rows are unprotected";
    EXPECT_TRUE(Enabled(RestoreChecklistController::ACTION_DONE));
    Screenshot("saved_conversations_protect");
    ASSERT_TRUE(app.driver.TapRow(0));
    ASSERT_TRUE(Tap(RestoreChecklistController::ACTION_CANCEL));
    EXPECT_TRUE(IsProtected("bob_2")) << "cancel changes nothing";
    ASSERT_TRUE(Tap(RestoreController::ACTION_PROTECT));
    EXPECT_EQ("x", Checks());
    ASSERT_TRUE(app.driver.TapRow(0));
    ASSERT_TRUE(Tap(RestoreChecklistController::ACTION_DONE));
    EXPECT_FALSE(IsProtected("bob_2"));
    ASSERT_TRUE(Tap(RestoreController::ACTION_DELETE));
    ASSERT_TRUE(app.driver.TapRow(0));
    ASSERT_TRUE(Tap(RestoreChecklistController::ACTION_DONE));
    EXPECT_TRUE(VisibleListRows().empty()) << "unprotected, it goes";
    EXPECT_FALSE(Offers(RestoreController::ACTION_PROTECT)) << "nothing left to protect or delete";
    EXPECT_FALSE(Offers(RestoreController::ACTION_DELETE));
    EXPECT_NE(std::string::npos, app.driver.Describe().find("ListView \"No conversations\"")) << app.driver.Describe();
    Screenshot("saved_conversations_empty");
}

}  // namespace
