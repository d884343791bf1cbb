// The chat screen without a server: the conversation as it is shown (times, pictures,
// notices, reading), what refuses a message, a message that cannot be sent and its resend, an
// error reply that overtakes the report of the message going out,
// the emoticon picker, links, and messages and presence changes that arrive while the chat
// is open.
#include "ChatFixture.h"

#include "app/IMManager.h"
#include "app/ModelResponseImpl.h"
#include "engine/UserId.h"
#include "platform/DeviceLog.h"
#include "platform/ListView.h"
#include "platform/ScreenProbe.h"
#include "platform/SettingInfo.h"
#include "platform/SystemTime.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"

#include <algorithm>
#include <thread>

namespace {

using Kind = EmoticonSegment::Kind;

// The local clock reading of a UTC time, as "hh:mm" with the hour in the given style.
std::string LocalClock(const char* utc, bool twentyFour)
{
    Ixa::Base::DateTime time;
    Ixa::Base::DateTime::Parse(utc, time);
    const long long local = time.GetTime() + 60000LL * Ixa::System::SystemTime::GetLocalOffsetMinutes(time.GetTime(), true);
    const int minutes = static_cast<int>((local / 60000) % (24 * 60));
    int hour = minutes / 60;
    std::string suffix;
    if (!twentyFour) {
        suffix = hour < 12 ? " AM" : " PM";
        hour = hour % 12 == 0 ? 12 : hour % 12;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minutes % 60);
    return text + suffix;
}

// Delivers a message as the engine's response thread does: stored, then reported.
void Receive(const char* from, const char* text)
{
    std::thread responseThread([from, text] {
        Message* message = IMManager::GetMessageModel()->CreateMessage();
        message->SetOtherUserId(from);
        message->SetMessage(text);
        IMManager::GetMessageModel()->SaveOrUpdate(message);
        ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(message, nullptr);
    });
    responseThread.join();
}

// Reports a message that the response thread stored earlier.
void Announce(Message* message)
{
    std::thread responseThread([message] { ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(message, nullptr); });
    responseThread.join();
}

void Presence(const char* id, const char* user, int presence)
{
    std::thread responseThread([id, user, presence] {
        Contact* contact = IMManager::GetContactModel()->CreateContact();
        contact->SetContactId(id);
        contact->SetUserName(user);
        contact->SetPresenceType(presence);
        ModelResponseImpl::GetInstance()->SetReady(true);
        ModelResponseImpl::GetInstance()->OnContactUpdated(contact);
    });
    responseThread.join();
}

class ChatScreenTest : public ChatFixture {};

TEST_F(ChatScreenTest, OpensTheConversationReadWithLocalTimesTitleAndOfflineNotice)
{
    StoreMessage("bob@localhost", "Are you coming :D", 0, "2024-03-05T21:05:09.042Z");
    StoreMessage("bob@localhost", "yes <3", 2, "2024-03-05T21:07:00.000Z");
    StoreMessage("carol@localhost", "not this one", 0, "2024-03-05T21:06:00.000Z");
    OpenChat("bob@localhost", "Bob", -1);
    EXPECT_EQ("Bob", app.Visible().title);
    const std::vector<std::string> expected = {
        "Are you coming :D | " + LocalClock("2024-03-05T21:05:09.042Z", false),
        "yes <3 | " + LocalClock("2024-03-05T21:07:00.000Z", false),
        "Bob went offline.",
    };
    EXPECT_EQ(expected, Rows());
    ASSERT_NE(nullptr, Bubble(0));
    EXPECT_EQ(ChatBubbleItem::RECEIVED, Bubble(0)->GetKind());
    ASSERT_EQ(2u, Bubble(0)->GetSegments().size());
    EXPECT_EQ(Kind::Text, Bubble(0)->GetSegments()[0].kind);
    EXPECT_EQ("Google/emoticons/round/30/grin.png", Bubble(0)->GetSegments()[1].value.ToUtf8());
    EXPECT_EQ(ChatBubbleItem::SENT, Bubble(1)->GetKind());
    EXPECT_EQ(ChatBubbleItem::NOTICE, Bubble(2)->GetKind());
    EXPECT_EQ(0, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("bob@localhost"));
    EXPECT_EQ(1, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("carol@localhost"));
    EXPECT_EQ(2u, Stored("bob@localhost").size()) << "the notice is not stored";

    Ixa::System::SettingInfo::SetValue("24HourFormatSelected", true);
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_BACK));
    EXPECT_EQ("CONVERSATIONS_SCREEN", app.Visible().form);
    OpenChat("bob@localhost", "Bob", 0);
    EXPECT_EQ((std::vector<std::string>{"Are you coming :D | " + LocalClock("2024-03-05T21:05:09.042Z", true),
                  "yes <3 | " + LocalClock("2024-03-05T21:07:00.000Z", true)}),
        Rows());

    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_BACK));
    OpenChat("dave@localhost", "");
    EXPECT_EQ("dave@localhost", app.Visible().title);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(ChatScreenTest, SendingNeedsTextAndAContactThatIsNeitherBlockedNorDeleted)
{
    OpenChat("bob@localhost", "Bob");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(Stored("bob@localhost").empty());

    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_BACK));
    OpenChat("eve@localhost", "Eve", 0, true);
    TypeIntoChat("hi");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    EXPECT_TRUE(app.PopupShows("This buddy is blocked.")) << app.driver.Describe();
    EXPECT_EQ("hi", InputText()) << "the text stays until the popup is answered";
    EXPECT_TRUE(Stored("eve@localhost").empty());
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_BLOCKED_OK));
    EXPECT_EQ("", InputText());
    EXPECT_FALSE(app.PopupShows("blocked"));

    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_BACK));
    OpenUnstoredChat("gone@localhost");
    TypeIntoChat("still there?");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    EXPECT_TRUE(app.PopupShows("This buddy has been deleted.")) << app.driver.Describe();
    EXPECT_TRUE(Stored("gone@localhost").empty());
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_DELETED_OK));
    EXPECT_EQ("", InputText());

    // A buddy whose deletion has gone to the server is deleted already.
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_BACK));
    OpenChat("dan@localhost", "Dan");
    std::unique_ptr<Contact> dan(IMManager::GetContactModel()->GetContactById("dan@localhost"));
    dan->SetIsDeleted(true);
    IMManager::GetContactModel()->SaveOrUpdate(dan.get());
    TypeIntoChat("bye?");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    EXPECT_TRUE(app.PopupShows("This buddy has been deleted.")) << app.driver.Describe();
    EXPECT_TRUE(Stored("dan@localhost").empty());
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_DELETED_OK));

    // Someone off the buddy list, written to by address, is not stored and may be written to.
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_BACK));
    OpenUnstoredChat("stranger@localhost", false);
    TypeIntoChat("hello?");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    EXPECT_FALSE(app.PopupShows("deleted")) << app.driver.Describe();
    ASSERT_EQ(1u, Stored("stranger@localhost").size());
    EXPECT_EQ("hello?", Stored("stranger@localhost")[0]->GetMessage().ToUtf8());
    EXPECT_EQ(nullptr, std::unique_ptr<Contact>(IMManager::GetContactModel()->GetContactById("stranger@localhost")));
}

TEST_F(ChatScreenTest, AMessageThatCannotBeSentFailsAndMovesToTheEndWhenResent)
{
    StoreMessage("bob@localhost", "Hi there :) how was the trip?", 3, "2024-03-05T08:15:00.000Z");
    OpenChat("bob@localhost", "Bob");
    TypeIntoChat("Great, thanks ;-) photos soon");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    EXPECT_EQ("", InputText());
    TypeIntoChat("second");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    auto bothFailed = [this] {
        const auto stored = Stored("bob@localhost");
        return stored.size() == 3 && stored[1]->GetMessageType() == 4 && stored[2]->GetMessageType() == 4 && Bubble(1) != nullptr
            && Bubble(1)->GetKind() == ChatBubbleItem::FAILED && Bubble(2)->GetKind() == ChatBubbleItem::FAILED;
    };
    ASSERT_TRUE(WaitUntil(bothFailed)) << "without a connection both end as failed";
    Screenshot("chat_conversation");

    ASSERT_TRUE(app.driver.TapRowElement(1, ChatBubbleItem::ELEMENT_RESEND));
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(0u, rows[1].rfind("second |", 0)) << rows[1];
    EXPECT_EQ(0u, rows[2].rfind("Great, thanks ;-) photos soon |", 0)) << rows[2];
    ASSERT_TRUE(WaitUntil([this] {
        const auto stored = Stored("bob@localhost");
        return stored.size() == 3 && stored[2]->GetMessage() == IMString("Great, thanks ;-) photos soon") && stored[2]->GetMessageType() == 4
            && Bubble(2)->GetKind() == ChatBubbleItem::FAILED;
    })) << "the resent message is stored last, with its new time";
}

// The server's error reply and the request thread's report that the message went out travel
// on different threads; when the reply comes first, the message stays failed.
TEST_F(ChatScreenTest, AnErrorReplyThatOvertakesTheSentReportLeavesTheMessageFailed)
{
    StoreMessage("bob@localhost", "are you there?", Message::TYPE_SENDING, "2024-03-05T08:15:00.000Z");
    OpenChat("bob@localhost", "Bob");
    ASSERT_EQ(ChatBubbleItem::SENDING, Bubble(0)->GetKind());
    std::thread([] {
        ModelResponseImpl::GetInstance()->OnMessageSentToChatFailed(Stored("bob@localhost")[0].release(), nullptr, 404);
        ModelResponseImpl::GetInstance()->OnMessageSentToChat(Stored("bob@localhost")[0].release());
    }).join();
    app.driver.PumpUntilIdle();
    EXPECT_EQ(Message::TYPE_SEND_FAILED, Stored("bob@localhost")[0]->GetMessageType());
    EXPECT_EQ(ChatBubbleItem::FAILED, Bubble(0)->GetKind());
}

// A chat opened with a short name (a typed address, an old non-buddy contact) is the
// conversation of the full address: its history shows, what is sent is stored there, and the
// sent message's state reaches its row.
TEST_F(ChatScreenTest, AChatOpenedWithAShortNameIsTheConversationOfTheFullAddress)
{
    const std::string robin = "robin" + UserId::defaultSuffix().ToUtf8();
    StoreMessage(robin, "earlier", Message::TYPE_RECEIVED_READ, "2024-03-05T08:15:00.000Z");
    OpenChat(robin, "Robin");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_BACK));
    app.driver.PumpUntilIdle();
    OpenUnstoredChat("robin");
    ASSERT_EQ(robin, Chat()->GetSelectedContact()->GetContactId().ToUtf8());
    ASSERT_EQ(1u, Rows().size()) << "one history";
    TypeIntoChat("hello");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    ASSERT_TRUE(WaitUntil([&] {
        const auto stored = Stored(robin);
        return stored.size() == 2 && stored[1]->GetMessageType() == Message::TYPE_SEND_FAILED && Bubble(1) != nullptr
            && Bubble(1)->GetKind() == ChatBubbleItem::FAILED;
    })) << "the row follows the stored message";
    EXPECT_TRUE(Stored("robin").empty());
    EXPECT_TRUE(Stored("Robin").empty());
}

TEST_F(ChatScreenTest, EmoticonPickerInsertsTheCodesOfTheTappedPictures)
{
    OpenChat("bob@localhost", "Bob");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_MORE));
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_MORE_EMOTICONS));
    EXPECT_NE(std::string::npos, app.driver.Describe().find("IconListView \"14 icons\"")) << app.driver.Describe();
    Screenshot("chat_emoticon_picker");
    ASSERT_TRUE(app.driver.TapIcon(0));
    ASSERT_TRUE(app.driver.TapIcon(9));
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_EMOTICON_INSERT));
    EXPECT_EQ("x-(:-)", InputText());
    EXPECT_FALSE(app.driver.FindByActionId(ChatController::ACTION_EMOTICON_INSERT).has_value());

    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_MORE));
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_MORE_EMOTICONS));
    ASSERT_TRUE(app.driver.TapIcon(6));
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_EMOTICON_CANCEL));
    EXPECT_EQ("x-(:-)", InputText()) << "cancel inserts nothing";

    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    ASSERT_NE(nullptr, Bubble(0));
    const std::vector<EmoticonSegment>& drawn = Bubble(0)->GetSegments();
    ASSERT_EQ(2u, drawn.size());
    EXPECT_EQ("Google/emoticons/round/30/angry.png", drawn[0].value.ToUtf8());
    EXPECT_EQ("Google/emoticons/round/30/smile.png", drawn[1].value.ToUtf8());
}

TEST_F(ChatScreenTest, MessagesAndPresenceWhileTheChatIsOpen)
{
    OpenChat("bob@localhost", "Bob");
    Ixa::System::DeviceLog::Clear();
    Receive("carol@localhost", "a word from someone else");
    app.driver.PumpUntilIdle();
    EXPECT_EQ(std::vector<std::string>{"play /Res/msn_newmsg.amr"}, Ixa::System::DeviceLog::GetEntries());
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(1, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("carol@localhost"));

    Ixa::System::DeviceLog::Clear();
    Receive("bob@localhost", "look at http://example.com/trip now");
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(Ixa::System::DeviceLog::GetEntries().empty()) << "the open chat does not ring";
    ASSERT_EQ(1u, Rows().size());
    EXPECT_EQ(0u, Rows()[0].rfind("look at http://example.com/trip now |", 0));
    EXPECT_EQ(0, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("bob@localhost")) << "shown means read";

    Presence("bob@localhost", "bob", -1);
    app.driver.PumpUntilIdle();
    Presence("bob@localhost", "bob", 0);
    app.driver.PumpUntilIdle();
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("bob went offline.", rows[1]);
    EXPECT_EQ("bob is online now.", rows[2]);
    EXPECT_EQ(1u, Stored("bob@localhost").size());
}

TEST_F(ChatScreenTest, EveryMessageIsShownOnceAndReadOnlyWhileTheChatIsShown)
{
    // Left for the settings: a message that comes before the screen has changed stays unread.
    OpenChat("bob@localhost", "Bob");
    const auto settings = app.driver.FindByActionId(ChatController::ACTION_SETTINGS);
    ASSERT_TRUE(settings);
    ASSERT_TRUE(Ixa::Ui::ScreenProbe::Tap(*settings));
    Receive("bob@localhost", "hello?");
    app.driver.PumpUntilIdle();
    EXPECT_EQ("SETTINGS_SCREEN", app.Visible().form);
    EXPECT_EQ(1, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("bob@localhost"));

    // And the same after "back".
    OpenChat("bob@localhost", "Bob");
    EXPECT_EQ(0, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("bob@localhost"));
    const auto back = app.driver.FindByActionId(ChatController::ACTION_BACK);
    ASSERT_TRUE(back);
    ASSERT_TRUE(Ixa::Ui::ScreenProbe::Tap(*back));
    Receive("bob@localhost", "gone?");
    app.driver.PumpUntilIdle();
    EXPECT_EQ("CONVERSATIONS_SCREEN", app.Visible().form);
    EXPECT_EQ(1, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("bob@localhost"));

    // Two messages alike to the millisecond are stored, and their announcements are still on
    // the way when the chat opens and reads the conversation.
    StoreMessage("carol@localhost", "are you there?", 0, "2024-03-05T21:05:09.042Z");
    StoreMessage("carol@localhost", "are you there?", 0, "2024-03-05T21:05:09.042Z");
    std::vector<std::unique_ptr<Message>> pending = Stored("carol@localhost");
    ASSERT_EQ(2u, pending.size());
    OpenChat("carol@localhost", "Carol");
    ASSERT_EQ(2u, Rows().size());
    for (std::unique_ptr<Message>& message : pending) {
        Announce(message.release());
    }
    app.driver.PumpUntilIdle();
    EXPECT_EQ(2u, Rows().size()) << "already shown";
    Receive("carol@localhost", "and now?");
    app.driver.PumpUntilIdle();
    EXPECT_EQ(3u, Rows().size());
}

TEST_F(ChatScreenTest, TheNotificationSwitchesAnOpenChatToTheSender)
{
    OpenChat("bob@localhost", "Bob");
    app.driver.Home();
    Receive("dave@localhost", "over here");
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(Rows().empty()) << "not bob's";
    EXPECT_EQ(1, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("dave@localhost"));
    ASSERT_TRUE(app.driver.SelectNotification());
    EXPECT_EQ("dave@localhost", app.Visible().title);
    ASSERT_EQ(1u, Rows().size());
    EXPECT_EQ(0u, Rows()[0].rfind("over here |", 0)) << Rows()[0];
    EXPECT_EQ(0, IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser("dave@localhost"));
}

TEST_F(ChatScreenTest, TappingALinkInAMessageOpensTheBrowser)
{
    StoreMessage("bob@localhost", "see http://example.com/trip", 0, "2024-03-05T08:15:00.000Z");
    OpenChat("bob@localhost", "Bob");
    std::optional<Ixa::Ui::ScreenProbe::Entry> row = app.driver.FindRow(0);
    ASSERT_TRUE(row.has_value());
    ChatBubbleItem* bubble = Bubble(0);
    ASSERT_NE(nullptr, bubble);
    const Ixa::Graphics::Rectangle text = bubble->GetElementBounds(ChatBubbleItem::ELEMENT_TEXT);
    std::optional<Ixa::Graphics::Point> onLink;
    for (int y = text.y; !onLink && y < text.y + text.height; y += 2) {
        for (int x = text.x; !onLink && x < text.x + text.width; x += 2) {
            Ixa::Graphics::LinkType type = Ixa::Graphics::LINK_TYPE_NONE;
            Ixa::Base::String link;
            Ixa::Base::String shown;
            if (Ixa::IsSucceeded(bubble->GetLinkAt(Ixa::Graphics::Point(x, y), type, link, shown))) {
                onLink = Ixa::Graphics::Point(x, y);
            }
        }
    }
    ASSERT_TRUE(onLink.has_value()) << "the address is a link";
    Ixa::System::DeviceLog::Clear();
    auto* list = dynamic_cast<Ixa::Ui::Controls::ListView*>(row->control);
    ASSERT_NE(nullptr, list);
    const Ixa::Graphics::Rectangle inList = list->GetRowBounds(0);
    const Ixa::Graphics::Rectangle listOnScreen = Ixa::Ui::ScreenProbe::WindowBounds(*list);
    ASSERT_TRUE(Ixa::Ui::ScreenProbe::TapAt(Ixa::Graphics::Point(listOnScreen.x + inList.x + onLink->x, listOnScreen.y + inList.y + onLink->y)));
    app.driver.PumpUntilIdle();
    EXPECT_EQ(std::vector<std::string>{"appcontrol ixa.appcontrol.BROWSER ixa.appcontrol.operation.DEFAULT url:http://example.com/trip"},
        Ixa::System::DeviceLog::GetEntries());
}

// Emoji are pictures wherever the chat draws text: the title, a bubble and the input. A box
// drawn for a missing glyph has no colour.
TEST_F(ChatScreenTest, EmojiInTheTitleABubbleAndTheInputAreDrawnInColour)
{
    constexpr int EmojiPixels = 40;
    StoreMessage("bob@localhost", "Feierabend \U0001F389", 0, "2024-03-05T08:15:00.000Z");
    StoreMessage("bob@localhost", "Feierabend", 0, "2024-03-05T08:16:00.000Z");
    OpenChat("bob@localhost", "Bob \U0001F37A");
    ASSERT_EQ(2u, Rows().size());
    EXPECT_GT(app.driver.CountColourPixels(app.driver.RowElementOnScreen(0, ChatBubbleItem::ELEMENT_TEXT)), EmojiPixels);
    EXPECT_EQ(0, app.driver.CountColourPixels(app.driver.RowElementOnScreen(1, ChatBubbleItem::ELEMENT_TEXT)));
    const auto title = app.driver.FindByText("Bob \U0001F37A");
    ASSERT_TRUE(title) << app.driver.Describe();
    EXPECT_GT(app.driver.CountColourPixels(title->bounds), EmojiPixels);

    TypeIntoChat("ok \U0001F389");
    ASSERT_EQ("ok \U0001F389", InputText());
    std::optional<Ixa::Ui::ScreenProbe::Entry> input;
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        input = entry.kind == "EditArea" ? std::optional(entry) : input;
    }
    ASSERT_TRUE(input);
    // Inside the frame, which turns blue while the input has the focus.
    const Ixa::Graphics::Rectangle inside(input->bounds.x + 6, input->bounds.y + 6, input->bounds.width - 12, input->bounds.height - 12);
    EXPECT_GT(app.driver.CountColourPixels(inside), EmojiPixels);
    Screenshot("chat-emoji");
}

// The keypad opens over the lower part of the screen; the input bar moves onto it, so the text
// being typed can be read, and goes back down once the keypad has closed.
TEST_F(ChatScreenTest, TheInputBarStaysAboveTheOpenKeypad)
{
    StoreMessage("bob@localhost", "how is it going?", 0, "2024-03-05T08:15:00.000Z");
    OpenChat("bob@localhost", "Bob");
    auto onScreen = [](const std::string& kind) {
        std::vector<Ixa::Ui::ScreenProbe::Entry> found;
        for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
            if (entry.kind == kind) {
                found.push_back(entry);
            }
        }
        return found;
    };
    ASSERT_EQ(1u, onScreen("EditArea").size());
    const Ixa::Graphics::Rectangle closed = onScreen("EditArea")[0].bounds;
    ASSERT_TRUE(app.driver.OpenKeypad(onScreen("EditArea")[0]));
    ASSERT_TRUE(app.driver.Type("fine, thanks"));
    const std::vector<Ixa::Ui::ScreenProbe::Entry> keys = onScreen("Keypad");
    ASSERT_FALSE(keys.empty()) << app.driver.Describe();
    int keypadTop = keys[0].bounds.y;
    for (const Ixa::Ui::ScreenProbe::Entry& key : keys) {
        keypadTop = std::min(keypadTop, key.bounds.y);
    }
    const Ixa::Graphics::Rectangle input = onScreen("EditArea")[0].bounds;
    const Ixa::Graphics::Rectangle header = app.driver.FindByText("Bob")->bounds;
    EXPECT_LE(input.y + input.height, keypadTop) << app.driver.Describe();
    EXPECT_GE(input.y, header.y + header.height) << "below the header";
    EXPECT_EQ("fine, thanks", InputText());
    // The "more" and send buttons beside the input; the keypad repeats send as a key of its own.
    const std::vector<Ixa::Ui::ScreenProbe::Entry> buttons = onScreen("Button");
    EXPECT_EQ(2, std::count_if(buttons.begin(), buttons.end(), [&](const Ixa::Ui::ScreenProbe::Entry& button) {
        const bool inBar = button.actionId == ChatController::ACTION_MORE || button.actionId == ChatController::ACTION_SEND;
        return inBar && button.bounds.y + button.bounds.height <= keypadTop;
    }));
    Screenshot("chat-keypad");

    ASSERT_TRUE(app.driver.CloseKeypad());
    EXPECT_EQ(closed.y, onScreen("EditArea")[0].bounds.y) << "back at the bottom";
}

// The keypad lies over the window rather than inside the chat: the chat left with it open
// (its cancel only ends the typing) takes it along instead of leaving its send and cancel keys
// over the next screen.
TEST_F(ChatScreenTest, LeavingTheChatTakesItsOpenKeypadAlong)
{
    OpenChat("bob@localhost", "Bob");
    ASSERT_TRUE(app.driver.TypeWithKeypad("EditArea", "never mind"));
    ASSERT_TRUE(Tap(ChatController::ACTION_KEYPAD_CANCEL));
    ASSERT_TRUE(Tap(ChatController::ACTION_BACK));
    EXPECT_EQ("CONVERSATIONS_SCREEN", app.Visible().form);
    EXPECT_FALSE(app.driver.KeypadShows()) << app.driver.Describe();

    OpenChat("bob@localhost", "Bob");
    EXPECT_FALSE(app.driver.KeypadShows()) << "the chat opens without it";
    ASSERT_TRUE(app.driver.TypeWithKeypad("EditArea", "see you"));
    ASSERT_TRUE(Tap(ChatController::ACTION_SETTINGS));
    EXPECT_EQ("SETTINGS_SCREEN", app.Visible().form);
    EXPECT_FALSE(app.driver.KeypadShows()) << app.driver.Describe();
}

}  // namespace
