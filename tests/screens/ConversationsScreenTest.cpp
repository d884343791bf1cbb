// The conversations list and its delete screen without a server: the message store is seeded
// as the engine fills it, the screens are worked through the screen driver, and the requests
// they make are recorded instead of sent. Rows, times, badges and presence icons are read as
// the user sees them; ending, saving, deleting and the select-all rules are checked in the
// stores afterwards.
#include "ChatFixture.h"
#include "VisibleList.h"

#include "app/IMManager.h"
#include "app/ModelResponseImpl.h"
#include "engine/IMFactory.h"
#include "screens/ChatController.h"
#include "screens/ConversationsController.h"
#include "screens/ConversationsScreen.h"
#include "screens/DeleteConvController.h"
#include "screens/RestoreController.h"
#include "screens/SettingsController.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"
#include "store/SavedMessagesModel.h"
#include "support/RequestRecorder.h"

#include "platform/ArrayList.h"
#include "platform/Footer.h"
#include "platform/ListView.h"
#include "platform/NotificationManager.h"
#include "platform/SettingInfo.h"

#include <ctime>
#include <thread>

using TestSupport::RequestRecorder;

namespace {

const std::string Bob = "bob@localhost";
const std::string Zed = "zed@elsewhere.org";

// The local hour and minute of a UTC time, as the handset's clock shows it.
std::string LocalClock(std::time_t utc, bool twentyFour)
{
    std::tm local{};
    localtime_r(&utc, &local);
    char text[16];
    if (twentyFour) {
        std::strftime(text, sizeof text, "%H:%M", &local);
    } else {
        std::strftime(text, sizeof text, "%I:%M %p", &local);
    }
    return text;
}

class ConversationsScreenTest : public ChatFixture {
protected:
    static void SetUpTestSuite() { IMFactory::SetRequestControllerMaker(&RequestRecorder::Make); }
    static void TearDownTestSuite() { IMFactory::SetRequestControllerMaker(nullptr); }

    void SetUp() override
    {
        ChatFixture::SetUp();
        ContactModel* contacts = IMManager::GetContactModel();
        std::unique_ptr<Contact> bob(contacts->CreateContact());
        bob->SetContactId(Bob.c_str());
        bob->SetUserName("bob");
        bob->SetNickName("Bob");
        bob->SetPresenceType(Contact::PRESENCE_AVAILABLE);
        bob->SetOnBuddyList(true);
        contacts->SaveOrUpdate(bob.get());
        // 2026-03-05 14:07 and 15:30 UTC.
        StoreMessage(Bob, "see you", Message::TYPE_RECEIVED_READ, "2026-03-05T14:07:09.000Z");
        StoreMessage(Zed, "hello?", Message::TYPE_RECEIVED_UNREAD, "2026-03-05T15:29:00.000Z");
        StoreMessage(Zed, "anyone there", Message::TYPE_RECEIVED_UNREAD, "2026-03-05T15:30:00.000Z");
        RequestRecorder::Last()->Clear();
    }

    void ShowConversations()
    {
        IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS);
        app.driver.PumpUntilIdle();
        ASSERT_EQ("CONVERSATIONS_SCREEN", app.Visible().form) << app.driver.Describe();
    }

    std::vector<int> ContextIds(int row)
    {
        std::vector<int> ids;
        Ixa::Ui::Controls::ListView* list = VisibleList();
        Ixa::Ui::Controls::ListItemBase* item = list != nullptr ? list->GetItemAt(row) : nullptr;
        for (int i = 0; item != nullptr && item->GetContextItem() != nullptr && i < int(item->GetContextItem()->GetElements().size()); ++i) {
            ids.push_back(item->GetContextItem()->GetElements()[size_t(i)].id);
        }
        return ids;
    }

    static std::vector<std::string> SavedKeys()
    {
        std::vector<std::string> keys;
        std::unique_ptr<Ixa::Base::Collection::ArrayList> list(IMManager::GetSavedMessagesModel()->GetAllUserIds());
        for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
            keys.push_back(static_cast<const Ixa::Base::String*>(list->GetAt(i))->ToUtf8());
        }
        if (list != nullptr) {
            list->RemoveAll(true);
        }
        return keys;
    }

    static int SavedCount(const std::string& key)
    {
        std::unique_ptr<Ixa::Base::Collection::ArrayList> list(IMManager::GetSavedMessagesModel()->GetAllMessagesWithUser(key.c_str()));
        const int count = list != nullptr ? list->GetCount() : 0;
        if (list != nullptr) {
            list->RemoveAll(true);
        }
        return count;
    }
};

TEST_F(ConversationsScreenTest, RowsAreNewestFirstWithTimeBadgeAndTheInvisibleIconForNonBuddies)
{
    ShowConversations();
    const std::string zedTime = LocalClock(1772724600, false);
    const std::string bobTime = LocalClock(1772719629, false);
    EXPECT_EQ((std::vector<std::string>{Zed + " | " + zedTime + " | anyone there | 2", "Bob | " + bobTime + " | see you"}), VisibleListRows());
    EXPECT_EQ(0, app.driver.CountColourPixels(app.driver.RowElementOnScreen(0, ConversationsScreen::ELEMENT_PRESENCE)))
        << "a user who is not a buddy shows the invisible icon";
    EXPECT_FALSE(app.driver.RowElementOnScreen(0, ConversationsScreen::ELEMENT_PRESENCE).IsEmpty());
    EXPECT_GT(app.driver.CountColourPixels(app.driver.RowElementOnScreen(1, ConversationsScreen::ELEMENT_PRESENCE)), 0)
        << "an available buddy shows the available icon";
    EXPECT_TRUE(app.driver.FindByActionId(ConversationsController::ACTION_DELETE_SCREEN).has_value());
    Screenshot("conversations");

    // The badge keeps to the second line, so the name keeps its room beside the time.
    Ixa::Ui::Controls::ListItemBase* withBadge = VisibleList()->GetItemAt(0);
    using S = ConversationsScreen;
    const Ixa::Graphics::Rectangle name = withBadge->GetElementBounds(S::ELEMENT_NAME);
    const Ixa::Graphics::Rectangle clock = withBadge->GetElementBounds(S::ELEMENT_TIME);
    const Ixa::Graphics::Rectangle badge = withBadge->GetElementBounds(S::ELEMENT_BADGE);
    const Ixa::Graphics::Rectangle text = withBadge->GetElementBounds(S::ELEMENT_LAST_MESSAGE);
    EXPECT_LE(name.x + name.width, clock.x);
    EXPECT_GE(badge.y, clock.y + clock.height) << "the badge sits below the time";
    EXPECT_LE(text.x + text.width, badge.x);
    EXPECT_LE(badge.y + badge.height, S::ROW_HEIGHT);
    EXPECT_EQ(name.width, VisibleList()->GetItemAt(1)->GetElementBounds(S::ELEMENT_NAME).width)
        << "a badge takes nothing from the name";

    // The 24-hour setting applies; a message arriving moves its conversation to the top.
    Ixa::System::SettingInfo::SetValue("24HourFormatSelected", true);
    std::unique_ptr<Message> message(IMManager::GetMessageModel()->CreateMessage());
    IMDateTime time;
    Ixa::Base::DateTime::Parse("2026-03-05T16:45:00.000Z", time);
    message->SetOtherUserId(Bob.c_str());
    message->SetMessage("back again");
    message->SetMessageType(Message::TYPE_RECEIVED_UNREAD);
    message->SetTimeStamp(time);
    IMManager::GetMessageModel()->SaveOrUpdate(message.get());
    Message* announced = ChatController::CopyOf(*message);
    std::thread([announced] { ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(announced, nullptr); }).join();
    ASSERT_TRUE(WaitUntil([] { return VisibleListRows().size() == 2 && VisibleListRows()[0].rfind("Bob", 0) == 0; }));
    EXPECT_EQ("Bob | " + LocalClock(1772729100, true) + " | back again | 1", VisibleListRows()[0]);
    EXPECT_EQ(Zed + " | " + LocalClock(1772724600, true) + " | anyone there | 2", VisibleListRows()[1]);
}

TEST_F(ConversationsScreenTest, ATapOpensTheChatAndBackFromTheChatLandsHere)
{
    ShowConversations();
    ASSERT_TRUE(app.driver.TapRow(0));
    app.driver.PumpUntilIdle();
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ(1, ChatController::isBuddyList);
    ASSERT_NE(nullptr, Chat()->GetSelectedContact());
    EXPECT_EQ(Zed, Chat()->GetSelectedContact()->GetContactId().ToUtf8());
    std::unique_ptr<Contact> stored(IMManager::GetContactModel()->GetContactById(Zed.c_str()));
    ASSERT_NE(nullptr, stored) << "the non-buddy is stored for the chat";
    EXPECT_FALSE(stored->GetOnBuddyList());
    EXPECT_EQ(2u, Rows().size());

    ASSERT_TRUE(Tap(ChatController::ACTION_BACK));
    ASSERT_EQ("CONVERSATIONS_SCREEN", app.Visible().form);
    EXPECT_EQ(2u, VisibleListRows().size());
    EXPECT_EQ(Zed + " | ", VisibleListRows()[0].substr(0, Zed.size() + 3)) << "read now, so without a badge";
    EXPECT_EQ(std::string::npos, VisibleListRows()[0].find(" | 2"));
    ASSERT_TRUE(app.driver.TapRow(1));
    app.driver.PumpUntilIdle();
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ(Bob, Chat()->GetSelectedContact()->GetContactId().ToUtf8());
}

TEST_F(ConversationsScreenTest, EndingWithSaveKeepsACopyAndEndingWithoutDeletesAll)
{
    ShowConversations();
    ASSERT_TRUE(app.driver.TapContextItem(0, ConversationsController::CONTEXT_END));
    app.driver.PumpUntilIdle();
    ASSERT_TRUE(app.driver.FindByActionId(ConversationsController::ACTION_END_WITHOUT_SAVING).has_value());
    ASSERT_TRUE(Tap(ConversationsController::ACTION_END_CANCEL));
    EXPECT_FALSE(app.driver.FindByActionId(ConversationsController::ACTION_SAVE_AND_END).has_value());
    EXPECT_EQ(2u, VisibleListRows().size()) << "cancel ends nothing";

    ASSERT_TRUE(app.driver.TapContextItem(0, ConversationsController::CONTEXT_END));
    ASSERT_TRUE(Tap(ConversationsController::ACTION_SAVE_AND_END));
    EXPECT_EQ(std::vector<std::string>{"Bob | " + LocalClock(1772719629, false) + " | see you"}, VisibleListRows());
    EXPECT_TRUE(Stored(Zed).empty());
    const std::vector<std::string> keys = SavedKeys();
    ASSERT_EQ(1u, keys.size());
    EXPECT_EQ("zed_", keys[0].substr(0, 4)) << keys[0];
    EXPECT_EQ(2, SavedCount(keys[0]));

    ASSERT_TRUE(app.driver.TapContextItem(0, ConversationsController::CONTEXT_END));
    ASSERT_TRUE(Tap(ConversationsController::ACTION_END_WITHOUT_SAVING));
    EXPECT_TRUE(VisibleListRows().empty());
    EXPECT_TRUE(Stored(Bob).empty());
    EXPECT_EQ(1u, SavedKeys().size()) << "no copy without saving";
    EXPECT_FALSE(app.driver.FindByActionId(ConversationsController::ACTION_DELETE_SCREEN).has_value())
        << "nothing left to delete";
    EXPECT_TRUE(app.driver.FindByText("No conversations").has_value());
}

TEST_F(ConversationsScreenTest, SavingKeepsTheMessagesUnreadAndTheNoticeGoesAfterASecond)
{
    ShowConversations();
    ASSERT_TRUE(app.driver.TapContextItem(0, ConversationsController::CONTEXT_SAVE));
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("Saved"));
    app.driver.AdvanceTime(ConversationsController::SAVED_NOTICE_MS - 10);
    EXPECT_TRUE(app.PopupShows("Saved"));
    app.driver.AdvanceTime(20);
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(app.PopupShows("Saved"));
    EXPECT_EQ(2, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(Zed.c_str()));
    EXPECT_EQ(2u, Stored(Zed).size()) << "saving ends nothing";
    ASSERT_EQ(1u, SavedKeys().size());
    EXPECT_EQ(2, SavedCount(SavedKeys()[0]));
}

TEST_F(ConversationsScreenTest, BlockUnblockAddBuddySettingsAndSignOut)
{
    ShowConversations();
    using C = ConversationsController;
    EXPECT_EQ((std::vector<int>{C::CONTEXT_END, C::CONTEXT_SAVE, C::CONTEXT_BLOCK, C::CONTEXT_ADD_BUDDY}), ContextIds(0));
    EXPECT_EQ((std::vector<int>{C::CONTEXT_END, C::CONTEXT_SAVE, C::CONTEXT_BLOCK}), ContextIds(1)) << "a buddy is not added again";

    ASSERT_TRUE(app.driver.TapContextItem(1, C::CONTEXT_BLOCK));
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("Block Bob?"));
    ASSERT_TRUE(Tap(C::ACTION_BLOCK_NO));
    ASSERT_TRUE(app.driver.TapContextItem(1, C::CONTEXT_BLOCK));
    ASSERT_TRUE(Tap(C::ACTION_BLOCK_YES));
    EXPECT_EQ(std::vector<std::string>{"AddToIgnoreList " + Bob}, RequestRecorder::Last()->Requests());

    // The server's answer marks Bob blocked; his row then offers to unblock.
    std::unique_ptr<Contact> bob(IMManager::GetContactModel()->GetContactById(Bob.c_str()));
    bob->SetIsBlocked(true);
    IMManager::GetContactModel()->SaveOrUpdate(bob.get());
    Contact* changed = IMManager::GetContactModel()->CreateContact(bob.get());
    std::thread([changed] { ModelResponseImpl::GetInstance()->OnContactUpdated(changed); }).join();
    app.driver.PumpUntilIdle();
    ASSERT_TRUE(app.driver.TapContextItem(1, C::CONTEXT_BLOCK));
    EXPECT_TRUE(app.PopupShows("Unblock Bob?"));
    ASSERT_TRUE(Tap(C::ACTION_BLOCK_YES));

    ASSERT_TRUE(app.driver.TapContextItem(0, C::CONTEXT_ADD_BUDDY));
    EXPECT_TRUE(app.PopupShows("Add " + Zed + " to your buddies?"));
    ASSERT_TRUE(Tap(C::ACTION_ADD_YES));

    ASSERT_TRUE(Tap(C::ACTION_SIGN_OUT));
    EXPECT_TRUE(app.PopupShows("Sign out?"));
    ASSERT_TRUE(Tap(C::ACTION_SIGN_OUT_YES));
    EXPECT_EQ((std::vector<std::string>{"AddToIgnoreList " + Bob, "RemoveFromIgnoreList " + Bob,
                  "CreateContactInExistingGroup " + Zed + " group=Friends", "SignOut"}),
        RequestRecorder::Last()->Requests());

    SettingsController::isBuddyList = SettingsController::FROM_CHAT;
    ASSERT_TRUE(Tap(C::ACTION_SETTINGS));
    EXPECT_EQ("SETTINGS_SCREEN", app.Visible().form);
    EXPECT_EQ(SettingsController::FROM_CONVERSATIONS, SettingsController::isBuddyList) << "settings know where to return";
}

TEST_F(ConversationsScreenTest, ShowingTheListClearsTheOngoingNotification)
{
    app.driver.Home();
    Ixa::App::NotificationManager notifications;
    notifications.Construct();
    notifications.NotifyOngoingActivity("zed : hello?", "open:zed@elsewhere.org");
    app.driver.Home();
    app.driver.PumpUntilIdle();
    ShowConversations();
    EXPECT_FALSE(app.driver.SelectNotification()) << "the entry is gone";
}

TEST_F(ConversationsScreenTest, TheDeleteScreenKeepsItsSelectAllRulesAndDeletesTheCheckedOnes)
{
    StoreMessage("carol@localhost", "hi", Message::TYPE_RECEIVED_READ, "2026-03-05T13:00:00.000Z");
    ShowConversations();
    ASSERT_TRUE(Tap(ConversationsController::ACTION_DELETE_SCREEN));
    ASSERT_EQ("DELETE_CONVERSATION_SCREEN", app.Visible().form);
    EXPECT_EQ((std::vector<std::string>{"Select all", Zed, "Bob", "carol@localhost"}), VisibleListRows());
    EXPECT_EQ("0 items selected", FirstLabel());
    EXPECT_FALSE(Enabled(DeleteConvController::ACTION_DELETE)) << "nothing to delete yet";
    EXPECT_TRUE(Enabled(DeleteConvController::ACTION_CANCEL));
    Ixa::Ui::Controls::ListView* list = VisibleList();
    auto checks = [&] {
        std::string marks;
        for (int row = 0; row < list->GetItemCount(); ++row) {
            marks += list->IsItemChecked(row) ? 'x' : '-';
        }
        return marks;
    };
    ASSERT_TRUE(app.driver.TapRow(0));
    EXPECT_EQ("xxxx", checks());
    EXPECT_EQ("3 items selected", FirstLabel());
    EXPECT_TRUE(Enabled(DeleteConvController::ACTION_DELETE));
    Screenshot("conversations_delete");
    ASSERT_TRUE(app.driver.TapRow(2));
    EXPECT_EQ("-x-x", checks()) << "one row cleared clears select-all";
    ASSERT_TRUE(app.driver.TapRow(2));
    EXPECT_EQ("xxxx", checks()) << "every row checked checks select-all";
    ASSERT_TRUE(app.driver.TapRow(0));
    EXPECT_EQ("----", checks());
    EXPECT_FALSE(Enabled(DeleteConvController::ACTION_DELETE));
    ASSERT_TRUE(app.driver.TapRow(3));
    EXPECT_EQ("1 item selected", FirstLabel());
    ASSERT_TRUE(app.driver.TapRow(3));

    ASSERT_TRUE(app.driver.TapRow(1));
    ASSERT_TRUE(Tap(DeleteConvController::ACTION_CANCEL));
    ASSERT_EQ("CONVERSATIONS_SCREEN", app.Visible().form);
    EXPECT_EQ(3u, VisibleListRows().size()) << "cancel deletes nothing";

    ASSERT_TRUE(Tap(ConversationsController::ACTION_DELETE_SCREEN));
    list = VisibleList();
    EXPECT_EQ("----", checks()) << "the screen comes back unchecked";
    EXPECT_EQ("0 items selected", FirstLabel());
    EXPECT_FALSE(Enabled(DeleteConvController::ACTION_DELETE));
    ASSERT_TRUE(app.driver.TapRow(1));
    ASSERT_TRUE(app.driver.TapRow(3));
    ASSERT_TRUE(Tap(DeleteConvController::ACTION_DELETE));
    ASSERT_EQ("CONVERSATIONS_SCREEN", app.Visible().form);
    EXPECT_EQ(std::vector<std::string>{"Bob | " + LocalClock(1772719629, false) + " | see you"}, VisibleListRows());
    EXPECT_TRUE(Stored(Zed).empty());
    EXPECT_TRUE(Stored("carol@localhost").empty());
    EXPECT_TRUE(SavedKeys().empty()) << "deleting keeps no copy";
}

}  // namespace

namespace {

// The local date and time of a UTC time as a search result shows it.
std::string LocalDateAndTime(std::time_t utc)
{
    std::tm local{};
    localtime_r(&utc, &local);
    char date[16];
    std::strftime(date, sizeof date, "%m/%d/%y ", &local);
    return date + LocalClock(utc, false);
}

// The row of the first message drawn in the visible list.
int TopDrawnRow() { return VisibleList() != nullptr ? VisibleList()->GetTopDrawnItemIndex() : -1; }

}  // namespace

// The search above the list finds stored messages of the current and the saved conversations,
// newest first by their time stamps (a message stored last but stamped earlier lists under its
// own time), with the matching word a text of its own (drawn highlighted); tapping a result
// opens the chat, or the saved copy, at that message; a deleted conversation leaves no hit.
TEST_F(ConversationsScreenTest, SearchListsHitsNewestFirstAndOpensTheChatAtTheMessage)
{
    for (int minute = 1; minute <= 20; ++minute) {
        const std::string time = "2026-03-05T15:" + std::string(minute < 10 ? "0" : "") + std::to_string(minute) + ":00.000Z";
        StoreMessage(Bob, "filler " + std::to_string(minute), Message::TYPE_RECEIVED_READ, time.c_str());
    }
    StoreMessage(Bob, "meet me there", Message::TYPE_RECEIVED_READ, "2026-03-05T15:00:00.000Z");
    ASSERT_TRUE(IMManager::GetSavedMessagesModel()->SaveAllMessagesWithUser(
        IMManager::GetMessageModel()->GetAllMessagesWithUser(Zed.c_str(), true), "zed_copy"));
    ShowConversations();

    ASSERT_TRUE(app.driver.TypeInSearchBar("THE"));
    const std::string zedTime = LocalDateAndTime(1772724600);
    const std::string bobTime = LocalDateAndTime(1772722800);
    const std::vector<std::string> hits{Zed + " | " + zedTime + " | anyone  | there", Zed + " | Saved | " + zedTime + " | anyone  | there",
        "Bob | " + bobTime + " | meet me  | there"};
    EXPECT_EQ(hits, VisibleListRows());
    Screenshot("search");
    ASSERT_TRUE(app.driver.Type("x"));
    EXPECT_TRUE(VisibleListRows().empty());
    EXPECT_NE(std::string::npos, app.driver.Describe().find("No results"));
    ASSERT_TRUE(app.driver.CancelSearch());
    ASSERT_TRUE(app.driver.TypeInSearchBar("the"));
    ASSERT_EQ(hits, VisibleListRows());

    ASSERT_TRUE(app.driver.TapRow(2));
    app.driver.PumpUntilIdle();
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form) << app.driver.Describe();
    EXPECT_LE(TopDrawnRow(), 1) << "the message found shows, not the newest at the bottom";
    Screenshot("search-opened");

    ShowConversations();
    ASSERT_TRUE(app.driver.TypeInSearchBar("anyone"));
    ASSERT_TRUE(app.driver.TapRow(1));
    app.driver.PumpUntilIdle();
    EXPECT_EQ("RESTORE_CHAT_SCREEN", app.Visible().form) << app.driver.Describe();
    EXPECT_EQ("zed_copy", RestoreController::GetSelectedConversation().ToUtf8());
    EXPECT_EQ(Zed, app.Visible().title);
    ASSERT_TRUE(app.driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));
    app.driver.PumpUntilIdle();
    ASSERT_EQ("CONVERSATIONS_SCREEN", app.Visible().form) << "back leads to the search it came from";

    ASSERT_TRUE(IMManager::GetMessageModel()->DeleteChatsWithUser(Zed.c_str()));
    ShowConversations();
    ASSERT_TRUE(app.driver.TypeInSearchBar("there"));
    EXPECT_EQ((std::vector<std::string>{hits[1], hits[2]}), VisibleListRows()) << "the saved copy stays";
    ASSERT_TRUE(app.driver.CancelSearch());
    ASSERT_TRUE(IMManager::GetSavedMessagesModel()->DeleteSavedConversation("zed_copy"));
    ASSERT_TRUE(app.driver.TypeInSearchBar("there"));
    EXPECT_EQ((std::vector<std::string>{hits[2]}), VisibleListRows());
}

// Messages waiting to be indexed (a burst just received, or a file from before the search)
// are indexed a few hundred at a time while the conversations show; until then the search
// says so first, with how far it has got, and finds what is indexed; then the notice goes and
// every message is found.
TEST_F(ConversationsScreenTest, SearchSaysSoWhileOlderMessagesAreIndexed)
{
    // More than the search and one timed step index together.
    constexpr int OLDER = 2 * (ConversationsController::INDEXING_STEP_ROWS + MessageDatabase::SEARCH_CATCH_UP_ROWS) + 100;
    ASSERT_TRUE(IMManager::GetMessageModel()->BeginBatch());
    for (int i = 0; i < OLDER; ++i) {
        StoreMessage(Bob, "older " + std::to_string(i), Message::TYPE_RECEIVED_READ, "2026-03-04T10:00:00.000Z");
    }
    ASSERT_TRUE(IMManager::GetMessageModel()->EndBatch());
    ShowConversations();
    ASSERT_TRUE(app.driver.TypeInSearchBar("older"));
    const std::vector<std::string> before = VisibleListRows();
    ASSERT_GT(before.size(), 1u) << "the search indexed a step first";
    EXPECT_EQ(0u, before[0].find("Still indexing older messages: ")) << before[0];
    EXPECT_EQ(std::string::npos, before[0].find(": 0%")) << "the notice tells how far the step got";

    app.driver.AdvanceTime(25);
    const std::vector<std::string> during = VisibleListRows();
    ASSERT_GT(during.size(), 1u);
    EXPECT_NE(before[0], during[0]);
    EXPECT_EQ(0u, during[0].find("Still indexing older messages: ")) << during[0];

    app.driver.AdvanceTime(1000);
    const std::vector<std::string> after = VisibleListRows();
    ASSERT_EQ(static_cast<size_t>(MessageSearchResults::LIMIT), after.size());
    EXPECT_EQ(0u, after[0].find("Bob | ")) << after[0];
    EXPECT_TRUE(IMManager::GetMessageModel()->IsSearchIndexComplete());
}
