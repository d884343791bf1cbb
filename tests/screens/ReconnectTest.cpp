// The engine bringing a lost session back by itself, as the user sees it: the status strip
// counts down to the next try and a tap on it asks for a try at once; no screen changes and
// no popup comes; presence is unknown (greyed) meanwhile and known again once back, the stored
// presence untouched; a message typed meanwhile waits as "sending"; and a refused password
// on a try, from any signed-in screen, ends at the sign-in screen with the error.
// The engine's reports come from a worker thread as its response thread sends them; the
// application's request controller records the requests instead of sending them.
#include "BuddyListProbe.h"
#include "ChatFixture.h"

#include "support/AppUnderTest.h"
#include "support/RequestRecorder.h"

#include "app/IMManager.h"
#include "app/ModelResponseImpl.h"
#include "app/ScreenStates.h"
#include "engine/IMFactory.h"
#include "platform/ScreenProbe.h"
#include "store/ContactModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <thread>

using TestSupport::RequestRecorder;

namespace {

// The engine calls the delegate on its response thread.
void FromResponseThread(const std::function<void()>& call) { std::thread(call).join(); }

ResponseDelegate* Engine() { return IMManager::GetRequestController()->GetResponseDelegate(); }

void Reconnecting(int seconds)
{
    FromResponseThread([seconds] { Engine()->OnReconnecting(seconds); });
}

void Reconnected()
{
    FromResponseThread([] { Engine()->OnReconnected(); });
}

std::optional<Ixa::Ui::ScreenProbe::Entry> NoticeEntry()
{
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "StatusNotice") {
            return entry;
        }
    }
    return std::nullopt;
}

// What the status strip says besides the time; empty when it says nothing.
std::string Notice()
{
    const auto entry = NoticeEntry();
    return entry ? entry->text : std::string();
}

int PopupCount()
{
    const auto entries = Ixa::Ui::ScreenProbe::ListEntries();
    return static_cast<int>(std::count_if(entries.begin(), entries.end(), [](const auto& entry) { return entry.kind == "Popup"; }));
}

std::vector<std::string> Requests() { return RequestRecorder::Last()->Requests(); }

class ReconnectBuddyTest : public testing::Test {
protected:
    static void SetUpTestSuite() { IMFactory::SetRequestControllerMaker(&RequestRecorder::Make); }
    static void TearDownTestSuite() { IMFactory::SetRequestControllerMaker(nullptr); }

    void SetUp() override
    {
        ASSERT_TRUE(app.Launched());
        BuddyListProbe::SetOwnAccount("me@localhost");
        BuddyListProbe::AddGroup("Friends", true);
        BuddyListProbe::AddGroup("Work", true);
        BuddyListProbe::AddContact("alice@localhost", "Alice", "Friends", Contact::PRESENCE_AWAY, "Back at three");
        BuddyListProbe::AddContact("bob@localhost", "Bob", "Friends", Contact::PRESENCE_AVAILABLE, "At lunch");
        BuddyListProbe::AddContact("carol@localhost", "Carol", "Work", Contact::PRESENCE_BUSY, "In a meeting");
        BuddyListProbe::AddContact("dave@localhost", "Dave", "Work", Contact::PRESENCE_OFFLINE);
        IMManager::notifyEvent(EVENT_SIGNED_IN, static_cast<void*>(nullptr));
        app.driver.PumpUntilIdle();
        ASSERT_EQ("BUDDY_SCREEN", app.Visible().form);
        FromResponseThread([] { ModelResponseImpl::GetInstance()->OnAllPresenceReceived(); });
        app.driver.PumpUntilIdle();
    }

    // Coloured pixels of a contact's presence icon: the available, away and busy icons are
    // coloured, the unknown (offline) ring is grey.
    int PresenceColour(const std::string& name)
    {
        return app.driver.CountColourPixels(app.driver.RowElementOnScreen(BuddyListProbe::RowOf(name), BuddyScreen::ELEMENT_PRESENCE));
    }

    void Pump() { app.driver.PumpUntilIdle(); }

    AppUnderTest app;
};

TEST_F(ReconnectBuddyTest, TheStripCountsDownToTheNextTryAndATapTriesAtOnce)
{
    const std::vector<std::string> rows = BuddyListProbe::Rows();
    EXPECT_EQ("", Notice());
    Reconnecting(3);
    Pump();
    EXPECT_EQ("Reconnecting\u2026 3 s", Notice());
    app.driver.AdvanceTime(999);
    EXPECT_EQ("Reconnecting\u2026 3 s", Notice());
    app.driver.AdvanceTime(1);
    EXPECT_EQ("Reconnecting\u2026 2 s", Notice());
    app.driver.AdvanceTime(2000);
    EXPECT_EQ("Reconnecting\u2026", Notice()) << "the try is due";
    app.driver.AdvanceTime(5000);
    EXPECT_EQ("Reconnecting\u2026", Notice());
    Reconnecting(0);
    Pump();
    EXPECT_EQ("Reconnecting\u2026", Notice());
    Reconnecting(12);
    Pump();
    EXPECT_EQ("Reconnecting\u2026 12 s", Notice());
    app.driver.AdvanceTime(4000);
    EXPECT_EQ("Reconnecting\u2026 8 s", Notice());
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);
    EXPECT_EQ(0, PopupCount());

    RequestRecorder::Last()->Clear();
    ASSERT_TRUE(app.driver.TapText("Reconnecting\u2026 8 s"));
    Pump();
    EXPECT_EQ((std::vector<std::string>{"ReconnectNow"}), Requests());
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);

    Reconnected();
    Pump();
    EXPECT_EQ("", Notice());
    app.driver.AdvanceTime(20000);
    EXPECT_EQ("", Notice()) << "no countdown goes on behind";
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);
    EXPECT_EQ(0, PopupCount());
    EXPECT_EQ(rows, BuddyListProbe::Rows());
}

TEST_F(ReconnectBuddyTest, PresenceIsUnknownWhileReconnectingAndKnownAgainOnceBack)
{
    const std::vector<std::string> rows = BuddyListProbe::Rows();
    for (const char* name : {"Alice", "Bob", "Carol"}) {
        ASSERT_GT(PresenceColour(name), 20) << name;
    }
    Reconnecting(5);
    Pump();
    for (const char* name : {"Alice", "Bob", "Carol", "Dave"}) {
        EXPECT_EQ(0, PresenceColour(name)) << name;
    }
    EXPECT_EQ(rows, BuddyListProbe::Rows()) << "same rows, same order, same counts";
    std::unique_ptr<Contact> bob(IMManager::GetContactModel()->GetContactById("bob@localhost"));
    EXPECT_EQ(Contact::PRESENCE_AVAILABLE, bob->GetPresenceType()) << "the stored presence stays";
    BuddyListProbe::Screen()->ScrollToItemIndex(0);
    app.driver.PumpUntilIdle();
    std::filesystem::create_directories(VELOIM_SCREENSHOT_DIR);
    EXPECT_TRUE(app.driver.SaveScreenshot(VELOIM_SCREENSHOT_DIR "/buddy-list-reconnecting.png"));

    // Another screen and back: the list is rebuilt, still unknown.
    IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS, static_cast<void*>(nullptr));
    Pump();
    EXPECT_EQ("Reconnecting\u2026 5 s", Notice()) << "the strip belongs to the frame, not to a screen";
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    Pump();
    EXPECT_EQ(0, PresenceColour("Bob"));

    Reconnected();
    Pump();
    for (const char* name : {"Alice", "Bob", "Carol"}) {
        EXPECT_GT(PresenceColour(name), 20) << name;
    }
    EXPECT_EQ(rows, BuddyListProbe::Rows());
}

// A sign-out while reconnecting goes as ever, and a report the engine sent before it knew
// puts nothing on the sign-in screen.
TEST_F(ReconnectBuddyTest, ASignOutEndsTheNoticeAndALateReportShowsNothing)
{
    Reconnecting(30);
    Pump();
    ASSERT_EQ("Reconnecting\u2026 30 s", Notice());
    FromResponseThread([] { Engine()->OnSignOutSuccess(); });
    Pump();
    EXPECT_EQ("LOGIN_SCREEN", app.Visible().form);
    EXPECT_EQ("", Notice());
    Reconnecting(4);
    Pump();
    EXPECT_EQ("", Notice());
    EXPECT_EQ("LOGIN_SCREEN", app.Visible().form);
}

// Every signed-in screen of the table: a refused password on a try lands on the sign-in
// screen, which shows the error as for a sign-in of the user's own.
TEST_F(ReconnectBuddyTest, ARefusedPasswordOnATryEndsAtSignInWithTheErrorFromEveryScreen)
{
    std::set<int> reached;
    for (int row = 0; row < ScreenStates::getLastIndexValidForstateTable() - 1; ++row) {
        const ScreenStates::Row& entry = ScreenStates::stateTable[row];
        if (entry.nextState == STATE_LOGIN || !reached.insert(entry.nextState).second) {
            continue;
        }
        IMManager::setState(static_cast<STATE_T>(entry.state));
        IMManager::notifyEvent(static_cast<EVENT_T>(entry.event));
        Pump();
        ASSERT_EQ(entry.nextState, IMManager::GetScreenStatesObj()->getState()) << "row " << row;
        const std::string form = app.Visible().form;
        Reconnecting(2);
        Pump();
        EXPECT_EQ(form, app.Visible().form) << "row " << row;
        FromResponseThread([] {
            const IMString text("Not authorized: the password is wrong.");
            Engine()->OnSignInError(1, &text);
        });
        Pump();
        EXPECT_EQ("LOGIN_SCREEN", app.Visible().form) << "from " << form;
        EXPECT_TRUE(app.PopupShows("Not authorized: the password is wrong.")) << "from " << form;
        EXPECT_EQ("", Notice()) << "from " << form;
        EXPECT_FALSE(IMManager::GetIsAppSignedIn());
        ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));
        Pump();
    }
    EXPECT_GT(reached.size(), 20u);
}

// A message typed while reconnecting is stored and shown as sending and handed to the engine,
// which keeps it until the session is back.
class ReconnectChatTest : public ChatFixture {
protected:
    static void SetUpTestSuite() { IMFactory::SetRequestControllerMaker(&RequestRecorder::Make); }
    static void TearDownTestSuite() { IMFactory::SetRequestControllerMaker(nullptr); }
};

TEST_F(ReconnectChatTest, AMessageTypedWhileReconnectingWaitsAsSending)
{
    OpenChat("bob@localhost", "Bob");
    Reconnecting(9);
    app.driver.PumpUntilIdle();
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ("Reconnecting\u2026 9 s", Notice());
    RequestRecorder::Last()->Clear();
    TypeIntoChat("are you still there?");
    ASSERT_TRUE(app.driver.TapAction(ChatController::ACTION_SEND));
    app.driver.PumpUntilIdle();
    EXPECT_EQ((std::vector<std::string>{"SendMessage bob@localhost are you still there?"}), Requests());
    ASSERT_NE(nullptr, Bubble(0));
    EXPECT_EQ(ChatBubbleItem::SENDING, Bubble(0)->GetKind());
    const auto stored = Stored("bob@localhost");
    ASSERT_EQ(1u, stored.size());
    EXPECT_EQ(Message::TYPE_SENDING, stored[0]->GetMessageType());
    EXPECT_EQ(0, PopupCount());
    Screenshot("chat-reconnecting");
    Reconnected();
    app.driver.PumpUntilIdle();
    EXPECT_EQ("", Notice());
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
}

}  // namespace
