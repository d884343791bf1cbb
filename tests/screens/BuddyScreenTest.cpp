// The buddy list without a server: the stores are seeded as a sign-in fills them, the screen
// is shown as after a sign-in, and model updates arrive from a worker thread through the
// model-side delegate as the engine's response thread sends them. The application's request
// controller records the requests the screen makes instead of sending them.
#include "BuddyListProbe.h"

#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "app/ModelResponseImpl.h"
#include "engine/IMFactory.h"
#include "screens/BuddyController.h"
#include "screens/CustomMessageAlert.h"
#include "screens/StartupChat.h"
#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"
#include "support/RequestRecorder.h"

#include "platform/ArrayList.h"
#include "platform/FrameClock.h"
#include "platform/Integer.h"
#include "platform/ListView.h"
#include "platform/ScreenProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

using Rows = std::vector<std::string>;
using TestSupport::RequestRecorder;

namespace {

constexpr int Available = Contact::PRESENCE_AVAILABLE;
constexpr int Busy = Contact::PRESENCE_BUSY;
constexpr int Away = Contact::PRESENCE_AWAY;
constexpr int Offline = Contact::PRESENCE_OFFLINE;
constexpr int NeverSeen = Contact::PRESENCE_NEVER_SEEN;
constexpr int FrameMs = Ixa::Ui::FrameClock::LongestFrameMs;

// The engine calls the delegate on its response thread.
void FromResponseThread(const std::function<void()>& call) { std::thread(call).join(); }

class BuddyScreenTest : public testing::Test {
protected:
    static void SetUpTestSuite() { IMFactory::SetRequestControllerMaker(&RequestRecorder::Make); }
    static void TearDownTestSuite() { IMFactory::SetRequestControllerMaker(nullptr); }

    void SetUp() override
    {
        ASSERT_TRUE(app.Launched());
        PropertiesModel* properties = IMManager::GetPropertiesModel();
        properties->SetUserName("me@localhost");
        properties->SetEmailId("me@localhost");
        BuddyListProbe::AddGroup("Family", true);
        BuddyListProbe::AddGroup("Friends", true);
        BuddyListProbe::AddGroup("Work", false);
        BuddyListProbe::AddContact("mum@localhost", "Mum", "Family", Available);
        BuddyListProbe::AddContact("alice@localhost", "Alice", "Friends", Away);
        BuddyListProbe::AddContact("bob@localhost", "Bob", "Friends", Available, "At lunch");
        BuddyListProbe::AddContact("carol@localhost", "Carol", "Friends", Busy);
        BuddyListProbe::AddContact("dave@localhost", "Dave", "Friends", Offline);
        BuddyListProbe::AddContact("erin@localhost", "Erin", "Friends", NeverSeen);
        BuddyListProbe::AddContact("frank@localhost", "Frank", "Friends", Offline, "", true);
        BuddyListProbe::AddContact("zed@localhost", "Zed", "Work", Available);
    }

    void ShowBuddyList()
    {
        IMManager::notifyEvent(EVENT_SIGNED_IN, static_cast<void*>(nullptr));
        app.driver.PumpUntilIdle();
        ASSERT_EQ("BUDDY_SCREEN", app.Visible().form);
        // The engine is ready once every presence has arrived.
        FromResponseThread([] { ModelResponseImpl::GetInstance()->OnAllPresenceReceived(); });
        app.driver.PumpUntilIdle();
        // The list rebuilds at most once a frame: the next change is free to rebuild it.
        app.driver.AdvanceTime(FrameMs);
    }

    // A contact changed in the store, reported as the buddy-status handler does, and the
    // frame the change may have waited for.
    void ReportContactChanged(const std::string& user)
    {
        DeliverContactChange(user);
        app.driver.AdvanceTime(FrameMs);
    }

    // The same without letting the frame pass.
    void DeliverContactChange(const std::string& user)
    {
        FromResponseThread([user] {
            ModelResponseImpl::GetInstance()->OnContactUpdated(IMManager::GetContactModel()->GetContactById(IMString(user.c_str())));
        });
        app.driver.PumpUntilIdle();
    }

    void ReceiveMessage(const std::string& user, const std::string& text)
    {
        Message* message = BuddyListProbe::StoreReceivedMessage(user, text);
        FromResponseThread([message, user] {
            ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(message, IMManager::GetContactModel()->GetContactById(IMString(user.c_str())));
        });
        app.driver.PumpUntilIdle();
    }

    // The driver finds rows in view only.
    bool TapContextItem(int row, int elementId)
    {
        BuddyListProbe::Screen()->ScrollToItemIndex(row);
        app.driver.PumpUntilIdle();
        return app.driver.TapContextItem(row, elementId);
    }

    bool LongPressRow(int row)
    {
        BuddyListProbe::Screen()->ScrollToItemIndex(row);
        app.driver.PumpUntilIdle();
        const auto entry = app.driver.FindRow(row);
        if (!entry) {
            return false;
        }
        const Ixa::Graphics::Point centre(entry->bounds.x + entry->bounds.width / 2, entry->bounds.y + entry->bounds.height / 2);
        Ixa::Ui::ScreenProbe::PressAt(centre);
        app.driver.AdvanceTime(500);
        Ixa::Ui::ScreenProbe::ReleaseAt(centre);
        app.driver.PumpUntilIdle();
        return true;
    }

    std::vector<std::string> Requests() { return RequestRecorder::Last()->Requests(); }

    void ReportSubscription(const char* user)
    {
        auto* report = new Ixa::Base::Collection::ArrayList;
        report->Construct(10);
        report->Add(new Ixa::Base::Integer(-1));
        report->Add(new Ixa::Base::String(user));
        IMManager::notifyEvent(EVENT_SUBSCRIPTION_REQUEST, report);
        app.driver.PumpUntilIdle();
    }

    AppUnderTest app;
};

const Rows FullList = {"My profile", "me@localhost", "Family (1/1)", "Mum", "Friends (3/6)", "Bob | At lunch", "Carol", "Alice",
    "Dave", "Frank", "Erin", "Work (1/1)"};

TEST_F(BuddyScreenTest, ShowsTheOwnProfileAndEveryGroupWithItsContactsByPresenceThenName)
{
    ShowBuddyList();
    EXPECT_EQ(FullList, BuddyListProbe::Rows());
    EXPECT_EQ("VeloIM", app.Visible().title);
    for (int action : {170, 171, 900, 901, 902}) {
        EXPECT_TRUE(app.driver.FindByActionId(action)) << action;
    }
    // The own row and a contact row have their own context items.
    EXPECT_EQ((std::vector<int>{202}), BuddyListProbe::ContextIds(1));
    EXPECT_EQ((std::vector<int>{202, 204, 203}), BuddyListProbe::ContextIds(BuddyListProbe::RowOf("Frank")));
    EXPECT_TRUE(BuddyListProbe::ContextIds(0).empty());
    // Avatar left, presence icon and name after it, no badge without unread messages.
    const int bob = BuddyListProbe::RowOf("Bob");
    EXPECT_LT(BuddyListProbe::ElementBounds(bob, BuddyScreen::ELEMENT_AVATAR).x, BuddyListProbe::ElementBounds(bob, BuddyScreen::ELEMENT_PRESENCE).x);
    EXPECT_LT(BuddyListProbe::ElementBounds(bob, BuddyScreen::ELEMENT_PRESENCE).x, BuddyListProbe::ElementBounds(bob, BuddyScreen::ELEMENT_NAME).x);
    EXPECT_EQ(0, BuddyListProbe::ElementBounds(bob, BuddyScreen::ELEMENT_BADGE).width);
}

TEST_F(BuddyScreenTest, HeadersFoldAndUnfoldAndKeepTheirState)
{
    ShowBuddyList();
    ASSERT_TRUE(app.driver.TapRow(4));
    EXPECT_EQ((Rows{"My profile", "me@localhost", "Family (1/1)", "Mum", "Friends (3/6)", "Work (1/1)"}), BuddyListProbe::Rows());
    std::unique_ptr<Group> friends(IMManager::GetGroupModel()->FindByGroupId(IMString("Friends")));
    EXPECT_FALSE(friends->GetIsExpanded());
    ASSERT_TRUE(app.driver.TapRow(5));
    ASSERT_TRUE(app.driver.TapRow(0));
    EXPECT_EQ((Rows{"My profile", "Family (1/1)", "Mum", "Friends (3/6)", "Work (1/1)", "Zed"}), BuddyListProbe::Rows());
    EXPECT_FALSE(IMManager::GetPropertiesModel()->IsMyProfileExpanded());
    std::unique_ptr<Group> work(IMManager::GetGroupModel()->FindByGroupId(IMString("Work")));
    EXPECT_TRUE(work->GetIsExpanded());
    // Coming back to the screen rebuilds it from what was stored.
    IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    EXPECT_EQ((Rows{"My profile", "Family (1/1)", "Mum", "Friends (3/6)", "Work (1/1)", "Zed"}), BuddyListProbe::Rows());
}

TEST_F(BuddyScreenTest, WithoutOfflineContactsTheHeadersStillCountEveryone)
{
    IMManager::GetPropertiesModel()->SetShowOfflineContactsOrPics(false);
    ShowBuddyList();
    EXPECT_EQ((Rows{"My profile", "me@localhost", "Family (1/1)", "Mum", "Friends (3/6)", "Bob | At lunch", "Carol", "Alice", "Work (1/1)"}),
        BuddyListProbe::Rows());
    EXPECT_FALSE(BuddyController::isShowOfflineContacts);
}

TEST_F(BuddyScreenTest, PresenceChangesAndMessagesReachTheRows)
{
    ShowBuddyList();
    BuddyListProbe::SetPresence("dave@localhost", Available);
    ReportContactChanged("dave@localhost");
    EXPECT_EQ("Friends (4/6)", BuddyListProbe::Rows()[4]);
    EXPECT_EQ("Bob | At lunch", BuddyListProbe::Rows()[5]);
    EXPECT_EQ("Dave", BuddyListProbe::Rows()[6]);
    BuddyListProbe::SetPresence("bob@localhost", Offline);
    ReportContactChanged("bob@localhost");
    const Rows rows = BuddyListProbe::Rows();
    EXPECT_EQ((Rows{"Friends (3/6)", "Dave", "Carol", "Alice", "Bob | At lunch", "Frank", "Erin"}), Rows(rows.begin() + 4, rows.begin() + 11));

    ReceiveMessage("carol@localhost", "hello");
    ReceiveMessage("carol@localhost", "are you there?");
    const int carol = BuddyListProbe::RowOf("Carol");
    EXPECT_EQ("Carol | 2", BuddyListProbe::Rows()[carol]);
    EXPECT_EQ(Ixa::Graphics::Rectangle(420, 30, 44, 44), BuddyListProbe::ElementBounds(carol, BuddyScreen::ELEMENT_BADGE));
    // A rebuild takes the counts from the message store, which holds the same two.
    ReportContactChanged("dave@localhost");
    EXPECT_EQ("Carol | 2", BuddyListProbe::Rows()[BuddyListProbe::RowOf("Carol")]);
}

// The engine's response thread runs on while the user-interface thread is busy: here the
// whole burst is reported before the screen gets to it, and it costs one rebuild.
TEST_F(BuddyScreenTest, ABurstOfChangesRebuildsOnceAndShowsTheLastStateOfEach)
{
    ShowBuddyList();
    BuddyScreen* screen = BuddyListProbe::Screen();
    const int rebuilds = screen->GetRebuildCount();
    FromResponseThread([] {
        ModelResponseImpl* models = ModelResponseImpl::GetInstance();
        const int presences[] = {Away, Offline, Busy, Available};
        for (int i = 0; i < 100; ++i) {
            for (const char* user : {"dave@localhost", "alice@localhost"}) {
                Contact* contact = IMManager::GetContactModel()->GetContactById(IMString(user));
                contact->SetPresenceType(presences[i % 4]);
                IMManager::GetContactModel()->SaveOrUpdate(contact);
                models->OnContactUpdated(contact);
            }
        }
        models->onContactDeletedFromServer(IMManager::GetContactModel()->GetContactById(IMString("erin@localhost")), nullptr);
        for (int i = 0; i < 25; ++i) {
            models->OnMessageReceivedToChat(BuddyListProbe::StoreReceivedMessage("carol@localhost", "burst " + std::to_string(i)),
                IMManager::GetContactModel()->GetContactById(IMString("carol@localhost")));
        }
    });
    app.driver.PumpUntilIdle();
    EXPECT_EQ(rebuilds + 1, screen->GetRebuildCount());
    EXPECT_EQ((Rows{"My profile", "me@localhost", "Family (1/1)", "Mum", "Friends (4/5)", "Alice", "Bob | At lunch", "Dave", "Carol | 25",
                  "Frank", "Work (1/1)"}),
        BuddyListProbe::Rows());

    // Messages alone rebuild nothing: each sender's row takes its count.
    FromResponseThread([] {
        for (int i = 0; i < 5; ++i) {
            ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(BuddyListProbe::StoreReceivedMessage("mum@localhost", "hi"),
                IMManager::GetContactModel()->GetContactById(IMString("mum@localhost")));
        }
    });
    app.driver.PumpUntilIdle();
    EXPECT_EQ(rebuilds + 1, screen->GetRebuildCount());
    EXPECT_EQ("Mum | 5", BuddyListProbe::Rows()[3]);
}

// Changes that reach the screen one delivery at a time within one frame cost one rebuild,
// made when the next frame begins; a lone change is shown in the frame it arrives in.
TEST_F(BuddyScreenTest, ChangesWithinOneFrameCostOneRebuild)
{
    ShowBuddyList();
    BuddyScreen* screen = BuddyListProbe::Screen();
    const int rebuilds = screen->GetRebuildCount();
    BuddyListProbe::SetPresence("dave@localhost", Available);
    DeliverContactChange("dave@localhost");
    EXPECT_EQ(rebuilds + 1, screen->GetRebuildCount());
    EXPECT_EQ("Friends (4/6)", BuddyListProbe::Rows()[4]);

    const int presences[] = {Away, Busy, Offline};
    for (int i = 0; i < 9; ++i) {
        for (const char* user : {"dave@localhost", "alice@localhost"}) {
            BuddyListProbe::SetPresence(user, presences[i % 3]);
            DeliverContactChange(user);
        }
    }
    EXPECT_EQ(rebuilds + 1, screen->GetRebuildCount());
    app.driver.AdvanceTime(FrameMs);
    EXPECT_EQ(rebuilds + 2, screen->GetRebuildCount());
    const Rows rows = BuddyListProbe::Rows();
    EXPECT_EQ((Rows{"Friends (2/6)", "Bob | At lunch", "Carol"}), Rows(rows.begin() + 4, rows.begin() + 7));
    // Nothing waits, so the frames after it rebuild nothing.
    app.driver.AdvanceTime(FrameMs * 3);
    EXPECT_EQ(rebuilds + 2, screen->GetRebuildCount());
}

// A list of hundreds makes the rows the user sees, wherever the list is scrolled to.
TEST_F(BuddyScreenTest, OnlyTheRowsInViewAreMade)
{
    for (int i = 0; i < 300; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Extra %03d", i);
        BuddyListProbe::AddContact("extra" + std::to_string(i) + "@localhost", name, "Friends", Offline);
    }
    ShowBuddyList();
    Ixa::Ui::Controls::ListView* list = BuddyListProbe::Screen()->GetMainListView();
    // No row is lower than a group header.
    const int inView = list->GetHeight() / 64 + 2;
    EXPECT_LE(list->GetMadeRowCount(), inView);
    const int before = list->GetRowsMadeSoFar();
    BuddyListProbe::Screen()->ScrollToItemIndex(250);
    app.driver.PumpUntilIdle();
    EXPECT_LE(list->GetRowsMadeSoFar() - before, inView);
    // Rows 5 to 8 are Bob, Carol, Alice and Dave; the extra contacts follow.
    const auto row = app.driver.FindRow(250);
    ASSERT_TRUE(row);
    EXPECT_EQ("Extra 241", row->text);
    ASSERT_TRUE(app.driver.TapRow(250));
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
}

TEST_F(BuddyScreenTest, TheBadgeWidensForLongCounts)
{
    EXPECT_EQ(Ixa::Graphics::Rectangle(420, 30, 44, 44), CustomMessageAlert::GetBounds(9));
    EXPECT_EQ(Ixa::Graphics::Rectangle(420, 30, 44, 44), CustomMessageAlert::GetBounds(99));
    EXPECT_EQ(Ixa::Graphics::Rectangle(412, 30, 60, 44), CustomMessageAlert::GetBounds(100));
    EXPECT_EQ(Ixa::Graphics::Rectangle(404, 30, 76, 44), CustomMessageAlert::GetBounds(1000));
    EXPECT_EQ(Ixa::Graphics::Rectangle(405, 30, 74, 44), CustomMessageAlert::GetBounds(10000));
}

TEST_F(BuddyScreenTest, ContextItemsAskFirstAndSendTheRequest)
{
    ShowBuddyList();
    RequestRecorder::Last()->Clear();
    ASSERT_TRUE(TapContextItem(BuddyListProbe::RowOf("Bob"), BuddyController::CONTEXT_BLOCK));
    EXPECT_TRUE(app.PopupShows("Block Bob?"));
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_BLOCK_YES));
    EXPECT_FALSE(app.PopupShows("Block Bob?"));

    ASSERT_TRUE(TapContextItem(BuddyListProbe::RowOf("Carol"), BuddyController::CONTEXT_DELETE));
    EXPECT_TRUE(app.PopupShows("Delete Carol?"));
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_DELETE_NO));
    EXPECT_EQ(nullptr, bc.GetSelectedContact());
    ASSERT_TRUE(TapContextItem(BuddyListProbe::RowOf("Carol"), BuddyController::CONTEXT_DELETE));
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_DELETE_YES));

    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_SIGN_OUT));
    EXPECT_TRUE(app.PopupShows("Sign out?"));
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_SIGN_OUT_NO));
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_SIGN_OUT));
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_SIGN_OUT_YES));
    EXPECT_TRUE(IMManager::GetPropertiesModel()->IsAvailableState());
    EXPECT_EQ((std::vector<std::string>{"AddToIgnoreList bob@localhost", "RemoveContactFromGroup carol@localhost group=none", "SignOut"}),
        Requests());

    // Failures come back as events and show their popup.
    IMManager::notifyEvent(EVENT_DELETE_CONTACT_FAILED, static_cast<Ixa::Base::Collection::IList*>(nullptr));
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("The contact could not be deleted."));
}

TEST_F(BuddyScreenTest, RowsOpenTheChatTheDetailsAndTheOtherScreens)
{
    ShowBuddyList();
    ASSERT_TRUE(app.driver.TapRow(BuddyListProbe::RowOf("Mum")));
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    ASSERT_TRUE(app.driver.TapRow(1));
    EXPECT_EQ("SELFINFO_SCREEN", app.Visible().form);
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    ASSERT_TRUE(TapContextItem(BuddyListProbe::RowOf("Mum"), BuddyController::CONTEXT_VIEW_DETAIL));
    EXPECT_EQ("CONTACTINFO_SCREEN", app.Visible().form);
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_CONVERSATIONS));
    EXPECT_EQ("CONVERSATIONS_SCREEN", app.Visible().form);
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_SETTINGS));
    EXPECT_EQ("SETTINGS_SCREEN", app.Visible().form);
}

TEST_F(BuddyScreenTest, SearchFindsTypedTextAnywhereInNamesAndOffersUnblock)
{
    ShowBuddyList();
    // An empty search shows the normal list, without the own profile.
    ASSERT_TRUE(app.driver.TypeInSearchBar(""));
    EXPECT_EQ(Rows(FullList.begin() + 2, FullList.end()), BuddyListProbe::Rows(true));
    ASSERT_TRUE(app.driver.Type("AR"));
    // The matching part is a text of its own (drawn in the match colour).
    EXPECT_EQ((Rows{"C | ar | ol"}), BuddyListProbe::Rows(true));
    ASSERT_TRUE(app.driver.Type("x"));
    EXPECT_TRUE(BuddyListProbe::Rows(true).empty());
    EXPECT_NE(std::string::npos, app.driver.Describe().find("No results"));
    ASSERT_TRUE(app.driver.CancelSearch());
    ASSERT_TRUE(app.driver.TypeInSearchBar("fr"));
    EXPECT_EQ((Rows{"Fr | ank"}), BuddyListProbe::Rows(true));
    EXPECT_EQ((std::vector<int>{202, 206, 203}), BuddyListProbe::ContextIds(0, true));
    ASSERT_TRUE(app.driver.TapContextItem(0, BuddyController::CONTEXT_UNBLOCK));
    EXPECT_TRUE(app.PopupShows("Unblock Frank?"));
    ASSERT_TRUE(app.driver.TapAction(BuddyController::ACTION_UNBLOCK_YES));
    EXPECT_EQ((std::vector<std::string>{"RemoveFromIgnoreList frank@localhost"}), Requests());
    ASSERT_TRUE(app.driver.CancelSearch());
    EXPECT_EQ(FullList, BuddyListProbe::Rows());
    EXPECT_TRUE(app.driver.FindByActionId(170));
}

// Keystrokes filter what the search read when it began; a change of the stores reads again.
TEST_F(BuddyScreenTest, ASearchFindsContactsAddedWhileItIsOpen)
{
    ShowBuddyList();
    ASSERT_TRUE(app.driver.TypeInSearchBar("ar"));
    EXPECT_EQ((Rows{"C | ar | ol"}), BuddyListProbe::Rows(true));
    BuddyListProbe::AddContact("marty@localhost", "Marty", "Friends", Available);
    ReportContactChanged("marty@localhost");
    EXPECT_EQ((Rows{"M | ar | ty", "C | ar | ol"}), BuddyListProbe::Rows(true));
    ASSERT_TRUE(app.driver.Type("T"));
    EXPECT_EQ((Rows{"M | art | y"}), BuddyListProbe::Rows(true));
}

TEST_F(BuddyScreenTest, ARefreshWaitsWhileARowIsHeld)
{
    ShowBuddyList();
    ASSERT_TRUE(LongPressRow(BuddyListProbe::RowOf("Mum")));
    BuddyListProbe::SetPresence("dave@localhost", Available);
    ReportContactChanged("dave@localhost");
    EXPECT_TRUE(BuddyListProbe::Screen()->isBuddyListRefreshPending());
    EXPECT_EQ(FullList, BuddyListProbe::Rows());
    // The next tap would land on a row that is about to move: it opens nothing, and the
    // refresh that waited runs.
    ASSERT_TRUE(app.driver.TapRow(BuddyListProbe::RowOf("Carol")));
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);
    EXPECT_FALSE(BuddyListProbe::Screen()->isBuddyListRefreshPending());
    EXPECT_EQ("Friends (4/6)", BuddyListProbe::Rows()[4]);
    ASSERT_TRUE(app.driver.TapRow(BuddyListProbe::RowOf("Carol")));
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
}

TEST_F(BuddyScreenTest, BadgesCountWhatTheStoreHoldsWhateverTheOrderOfRebuildAndAnnouncement)
{
    ShowBuddyList();
    // Stored first, announced after a rebuild that already counted it.
    Message* early = BuddyListProbe::StoreReceivedMessage("carol@localhost", "hi");
    ReportContactChanged("dave@localhost");
    EXPECT_EQ("Carol | 1", BuddyListProbe::Rows()[BuddyListProbe::RowOf("Carol")]);
    FromResponseThread([early] {
        ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(early, IMManager::GetContactModel()->GetContactById(IMString("carol@localhost")));
    });
    app.driver.PumpUntilIdle();
    EXPECT_EQ("Carol | 1", BuddyListProbe::Rows()[BuddyListProbe::RowOf("Carol")]);
    // A burst during sign-in: every message stored, the list rebuilt now and then, the
    // announcements trailing behind.
    std::vector<Message*> burst;
    for (int i = 0; i < 30; ++i) {
        burst.push_back(BuddyListProbe::StoreReceivedMessage("bob@localhost", "burst " + std::to_string(i)));
        if (i % 7 == 0) {
            ReportContactChanged("dave@localhost");
        }
    }
    for (Message* message : burst) {
        FromResponseThread([message] {
            ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(message, IMManager::GetContactModel()->GetContactById(IMString("bob@localhost")));
        });
    }
    app.driver.PumpUntilIdle();
    EXPECT_EQ("Bob | At lunch | 30", BuddyListProbe::Rows()[BuddyListProbe::RowOf("Bob")]);
}

TEST_F(BuddyScreenTest, ReturningInSearchModeShowsCurrentRowsAndBadges)
{
    ShowBuddyList();
    ASSERT_TRUE(app.driver.TypeInSearchBar("ar"));
    EXPECT_EQ((Rows{"C | ar | ol"}), BuddyListProbe::Rows(true));
    IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    ASSERT_EQ("CONVERSATIONS_SCREEN", app.Visible().form);
    BuddyListProbe::AddContact("marty@localhost", "Marty", "Friends", Available);
    delete BuddyListProbe::StoreReceivedMessage("carol@localhost", "still there?");
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    const Rows rows = BuddyListProbe::Rows(true);
    EXPECT_EQ(2u, rows.size()) << ::testing::PrintToString(rows);
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), "C | ar | ol | 1")) << ::testing::PrintToString(rows);
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), "M | ar | ty")) << ::testing::PrintToString(rows);
}

TEST_F(BuddyScreenTest, NoLongPressLeavesTheListWaitingForARow)
{
    ShowBuddyList();
    // Headers open no menu: nothing is held.
    ASSERT_TRUE(LongPressRow(0));
    EXPECT_FALSE(BuddyListProbe::Screen()->isContactHeld());
    ASSERT_TRUE(LongPressRow(BuddyListProbe::RowOf("Friends")));
    EXPECT_FALSE(BuddyListProbe::Screen()->isContactHeld());
    BuddyListProbe::SetPresence("dave@localhost", Available);
    ReportContactChanged("dave@localhost");
    ReceiveMessage("carol@localhost", "ping");
    EXPECT_EQ("Friends (4/6)", BuddyListProbe::Rows()[BuddyListProbe::RowOf("Friends")]);
    EXPECT_EQ("Carol | 1", BuddyListProbe::Rows()[BuddyListProbe::RowOf("Carol")]);
    ASSERT_TRUE(app.driver.TapRow(BuddyListProbe::RowOf("Carol")));
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);

    // A held row scrolled away is let go, and the refresh that waited runs.
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    ASSERT_TRUE(LongPressRow(BuddyListProbe::RowOf("Mum")));
    ASSERT_TRUE(BuddyListProbe::Screen()->isContactHeld());
    BuddyListProbe::SetPresence("dave@localhost", Offline);
    ReportContactChanged("dave@localhost");
    ASSERT_TRUE(BuddyListProbe::Screen()->isBuddyListRefreshPending());
    const Ixa::Graphics::Rectangle list = Ixa::Ui::ScreenProbe::WindowBounds(*BuddyListProbe::Screen()->GetMainListView());
    const Ixa::Graphics::Point start(list.x + list.width / 2, list.y + list.height - 50);
    Ixa::Ui::ScreenProbe::PressAt(start);
    for (int step = 1; step <= 5; ++step) {
        Ixa::Ui::ScreenProbe::MoveTo(Ixa::Graphics::Point(start.x, start.y - 60 * step));
    }
    Ixa::Ui::ScreenProbe::ReleaseAt(Ixa::Graphics::Point(start.x, start.y - 300));
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(BuddyListProbe::Screen()->isContactHeld());
    EXPECT_FALSE(BuddyListProbe::Screen()->isBuddyListRefreshPending());
    EXPECT_EQ("Friends (3/6)", BuddyListProbe::Rows()[BuddyListProbe::RowOf("Friends")]);

    // A row held when the screen is left holds nothing on the return.
    ASSERT_TRUE(LongPressRow(BuddyListProbe::RowOf("Bob")));
    ReportContactChanged("dave@localhost");
    IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(BuddyListProbe::Screen()->isContactHeld());
    EXPECT_FALSE(BuddyListProbe::Screen()->isBuddyListRefreshPending());
    ASSERT_TRUE(app.driver.TapRow(BuddyListProbe::RowOf("Carol")));
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
}

TEST_F(BuddyScreenTest, SubscriptionRequestsQueueAndSurviveLeavingTheScreen)
{
    ShowBuddyList();
    RequestRecorder::Last()->Clear();
    ReportSubscription("ann@localhost");
    ReportSubscription("ben@localhost");
    EXPECT_TRUE(app.PopupShows("Allow ann@localhost to add you as a friend?"));
    EXPECT_FALSE(app.PopupShows("ben@localhost")) << "the second waits behind the first";
    // Leaving and coming back takes the question down; it is asked again.
    IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("Allow ann@localhost to add you as a friend?"));
    // Answering one asks the next from the same button's callback.
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_QUESTION_YES));
    EXPECT_FALSE(app.PopupShows("ann@localhost"));
    EXPECT_TRUE(app.PopupShows("Allow ben@localhost to add you as a friend?"));
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_QUESTION_NO));
    EXPECT_FALSE(app.PopupShows("ben@localhost"));
    EXPECT_EQ((std::vector<std::string>{"AllowPresenceSubscription ann@localhost", "DenyPresenceSubscription ben@localhost"}), Requests());
    // Signed out, nothing is left to ask.
    ReportSubscription("cid@localhost");
    IMManager::notifyEvent(EVENT_SHOW_LOGIN, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(app.PopupShows("cid@localhost"));
}

TEST_F(BuddyScreenTest, ScreenshotOfABuddyListWithGroupsPresencesAvatarsAndABadge)
{
    BuddyListProbe::SetAvatar("bob@localhost", VELOIM_TEST_DATA "/avatars/teal.png");
    BuddyListProbe::SetAvatar("alice@localhost", VELOIM_TEST_DATA "/avatars/orange.png");
    BuddyListProbe::SetAvatar("mum@localhost", VELOIM_TEST_DATA "/avatars/purple.png");
    BuddyListProbe::SetAvatar("me@localhost", VELOIM_TEST_DATA "/avatars/blue.png");
    BuddyListProbe::AddContact("alice@localhost", "Alice", "Friends", Away, "Back at three");
    BuddyListProbe::AddContact("carol@localhost", "Carol", "Friends", Busy, "In a meeting");
    IMManager::GetPropertiesModel()->SetMyProfileExpanded(false);
    ShowBuddyList();
    ReceiveMessage("bob@localhost", "lunch?");
    ReceiveMessage("bob@localhost", "at one");
    ReceiveMessage("bob@localhost", "see you");
    const int bob = BuddyListProbe::RowOf("Bob");
    EXPECT_EQ("Bob | At lunch | 3", BuddyListProbe::Rows()[bob]);
    std::filesystem::create_directories(VELOIM_SCREENSHOT_DIR);
    EXPECT_TRUE(app.driver.SaveScreenshot(VELOIM_SCREENSHOT_DIR "/buddy-list.png"));
}

// An emoji in a status is a picture in colour, not a box; a status without one has no colour.
TEST_F(BuddyScreenTest, AnEmojiInAStatusIsDrawnInColour)
{
    BuddyListProbe::AddContact("mum@localhost", "Mum", "Family", Available, "\xC3\x9C" "berstunden \U0001F389");
    ShowBuddyList();
    const int mum = BuddyListProbe::RowOf("Mum");
    ASSERT_EQ("Mum | \xC3\x9C" "berstunden \U0001F389", BuddyListProbe::Rows()[mum]);
    EXPECT_GT(app.driver.CountColourPixels(app.driver.RowElementOnScreen(mum, BuddyScreen::ELEMENT_STATUS)), 40);
    EXPECT_EQ(0, app.driver.CountColourPixels(app.driver.RowElementOnScreen(BuddyListProbe::RowOf("Bob"), BuddyScreen::ELEMENT_STATUS)));
    std::filesystem::create_directories(VELOIM_SCREENSHOT_DIR);
    EXPECT_TRUE(app.driver.SaveScreenshot(VELOIM_SCREENSHOT_DIR "/buddy-list-emoji.png"));
}

// The chat asked for on the command line: it waits until the list has been on screen for a
// while, opens once with its text sent once, and a contact that arrives later is waited for.
class StartupChatTest : public BuddyScreenTest {
protected:
    void TearDown() override { StartupChat::Clear(); }

    void WaitOnTheList(int milliseconds)
    {
        app.driver.AdvanceTime(milliseconds);
        app.driver.PumpUntilIdle();
    }

    std::vector<std::string> SentMessages()
    {
        std::vector<std::string> sent;
        for (const std::string& request : Requests()) {
            if (request.rfind("SendMessage ", 0) == 0) {
                sent.push_back(request);
            }
        }
        return sent;
    }
};

TEST_F(StartupChatTest, OpensOnceAfterTheListHasShownAndSendsItsTextOnce)
{
    StartupChat::Set("Bob", "Hello Bob");
    ShowBuddyList();
    WaitOnTheList(StartupChat::ListFirstMs - 100);
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);
    WaitOnTheList(200);
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ("Bob", app.Visible().title);
    EXPECT_EQ((std::vector<std::string>{"SendMessage bob@localhost Hello Bob"}), SentMessages());
    std::unique_ptr<Ixa::Base::Collection::ArrayList> stored(IMManager::GetMessageModel()->GetAllMessagesWithUser("bob@localhost", true));
    ASSERT_NE(nullptr, stored);
    ASSERT_EQ(1, stored->GetCount());
    EXPECT_EQ("Hello Bob", static_cast<Message*>(stored->GetAt(0))->GetMessage().ToUtf8());
    stored->RemoveAll(true);

    // Back on the list, updates and time open nothing again.
    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    ASSERT_EQ("BUDDY_SCREEN", app.Visible().form);
    ReportContactChanged("bob@localhost");
    WaitOnTheList(2 * StartupChat::ListFirstMs);
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);
    EXPECT_EQ(1u, SentMessages().size());
}

TEST_F(StartupChatTest, AContactNotYetListedIsWaitedFor)
{
    StartupChat::Set("newcomer@localhost", "Welcome");
    ShowBuddyList();
    WaitOnTheList(2 * StartupChat::ListFirstMs);
    EXPECT_EQ("BUDDY_SCREEN", app.Visible().form);
    BuddyListProbe::AddContact("newcomer@localhost", "Newcomer", "Friends", Available);
    ReportContactChanged("newcomer@localhost");
    ASSERT_EQ("CHAT_SCREEN", app.Visible().form);
    EXPECT_EQ((std::vector<std::string>{"SendMessage newcomer@localhost Welcome"}), SentMessages());
}

}  // namespace
