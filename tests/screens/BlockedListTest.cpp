// The block list without a server: blocked contacts are seeded in the store as the roster
// merge leaves them, the screens are reached from the settings, and the application's request
// controller records the unblocks and deletes instead of sending them. Model updates arrive
// from a worker thread, as the engine's response thread sends them.
#include "BuddyListProbe.h"
#include "ChatFixture.h"
#include "VisibleList.h"

#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "app/ModelResponseImpl.h"
#include "app/ScreenStates.h"
#include "engine/IMFactory.h"
#include "screens/BlockedListController.h"
#include "screens/BlockedListSelectionController.h"
#include "store/ContactModel.h"
#include "support/RequestRecorder.h"

#include "platform/Footer.h"
#include "platform/ScreenProbe.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

using Rows = std::vector<std::string>;
using TestSupport::RequestRecorder;

namespace {

class BlockedListTest : public testing::Test {
protected:
    static void SetUpTestSuite() { IMFactory::SetRequestControllerMaker(&RequestRecorder::Make); }
    static void TearDownTestSuite() { IMFactory::SetRequestControllerMaker(nullptr); }

    void SetUp() override
    {
        ASSERT_TRUE(app.Launched());
        BuddyListProbe::AddContact("zoe@localhost", "Zoe", "Friends", Contact::PRESENCE_AVAILABLE);
        IMManager::setState(STATE_SETTINGS);
    }

    // Stored as a roster push of a blocked item leaves it: off the buddy list.
    static void AddBlocked(const std::string& user, const std::string& nick)
    {
        BuddyListProbe::AddContact(user, nick, "Friends", Contact::PRESENCE_OFFLINE, "", true);
        std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(IMString(user.c_str())));
        contact->SetOnBuddyList(false);
        IMManager::GetContactModel()->SaveOrUpdate(contact.get());
    }

    void Post(EVENT_T event)
    {
        IMManager::notifyEvent(event);
        app.driver.PumpUntilIdle();
    }

    // A presence change elsewhere, as the engine reports it: the list is taken again.
    void ReportSomeContactChanged()
    {
        std::thread([] {
            ModelResponseImpl::GetInstance()->OnAllPresenceReceived();
            ModelResponseImpl::GetInstance()->OnContactUpdated(IMManager::GetContactModel()->GetContactById(IMString("zoe@localhost")));
        }).join();
        app.driver.PumpUntilIdle();
    }

    std::vector<std::string> Requests() { return RequestRecorder::Last()->Requests(); }

    bool Checked(int row) const
    {
        const auto entry = app.driver.FindRow(row);
        return entry && entry->selected;
    }

    std::string Selection() const
    {
        for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
            if (entry.kind == "Label") {
                return entry.text;
            }
        }
        return {};
    }

    bool Enabled(int actionId) const
    {
        const auto item = app.driver.FindByActionId(actionId);
        return item && item->enabled;
    }

    bool ShowsNoContacts() const { return app.driver.Describe().find("ListView \"No contacts\"") != std::string::npos; }

    AppUnderTest app;
};

TEST_F(BlockedListTest, ContextItemsUnblockByIdAndDeleteAndTheRowsStayOffUntilTheServerAnswers)
{
    AddBlocked("carl@localhost", "Carl");
    AddBlocked("ann@localhost", "Ann");
    Post(EVENT_SHOW_BLOCKED_LIST);
    ASSERT_EQ((AppUnderTest::Screen{"BLOCKED_LIST", "Blocked contacts"}), app.Visible()) << "the list names what it lists";
    EXPECT_EQ((Rows{"Ann | ann@localhost", "Carl | carl@localhost"}), VisibleListRows()) << "blocked only, by name";
    EXPECT_TRUE(Enabled(BlockedListController::ACTION_UNBLOCK_SCREEN));
    EXPECT_TRUE(Enabled(BlockedListController::ACTION_DELETE_SCREEN));
    ChatFixture::Screenshot(app, "blocked_list");

    ASSERT_TRUE(app.driver.TapContextItem(0, BlockedListController::CONTEXT_UNBLOCK));
    EXPECT_EQ(Rows{"RemoveFromIgnoreList ann@localhost"}, Requests());
    EXPECT_EQ(Rows{"Carl | carl@localhost"}, VisibleListRows());
    ReportSomeContactChanged();
    EXPECT_EQ(Rows{"Carl | carl@localhost"}, VisibleListRows()) << "Ann is still blocked in the store, but asked for";

    ASSERT_TRUE(app.driver.TapContextItem(0, BlockedListController::CONTEXT_DELETE));
    EXPECT_EQ((Rows{"RemoveFromIgnoreList ann@localhost", "RemoveContactFromGroup carl@localhost group=none"}), Requests());
    EXPECT_TRUE(VisibleListRows().empty());
    EXPECT_TRUE(ShowsNoContacts()) << app.driver.Describe();
    ChatFixture::Screenshot(app, "blocked_list_empty");
    EXPECT_FALSE(app.driver.FindByActionId(BlockedListController::ACTION_UNBLOCK_SCREEN));
    EXPECT_FALSE(app.driver.FindByActionId(BlockedListController::ACTION_DELETE_SCREEN));

    // The server unblocks Ann; when she is blocked again later, she shows again.
    std::unique_ptr<Contact> ann(IMManager::GetContactModel()->GetContactById(IMString("ann@localhost")));
    ann->SetIsBlocked(false);
    IMManager::GetContactModel()->SaveOrUpdate(ann.get());
    ReportSomeContactChanged();
    ann->SetIsBlocked(true);
    IMManager::GetContactModel()->SaveOrUpdate(ann.get());
    ReportSomeContactChanged();
    EXPECT_EQ(Rows{"Ann | ann@localhost"}, VisibleListRows()) << "the answered unblock is forgotten; Carl's delete still waits";
    ASSERT_TRUE(app.driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));
    EXPECT_EQ(STATE_SETTINGS, IMManager::GetScreenStatesObj()->getState());
}

TEST_F(BlockedListTest, AFailedUnblockBringsTheContactBackWithItsPopup)
{
    AddBlocked("ann@localhost", "Ann");
    Post(EVENT_SHOW_BLOCKED_LIST);
    ASSERT_TRUE(app.driver.TapContextItem(0, BlockedListController::CONTEXT_UNBLOCK));
    EXPECT_TRUE(ShowsNoContacts());
    Post(EVENT_UNBLOCK_FAILED);
    EXPECT_TRUE(app.PopupShows("The contact could not be unblocked.")) << app.driver.Describe();
    EXPECT_EQ(Rows{"Ann | ann@localhost"}, VisibleListRows());
    Post(EVENT_IGNORE_LIST_REFRESH_FAILED);
    EXPECT_TRUE(app.PopupShows("The block list could not be refreshed.")) << app.driver.Describe();
}

TEST_F(BlockedListTest, SelectionScreensAskFromTheLastCheckedRowUpAndCancelAsksNothing)
{
    for (const char* name : {"Ada", "Bea", "Cy", "Dot", "Eve"}) {
        std::string user(name);
        user[0] = static_cast<char>(user[0] - 'A' + 'a');
        AddBlocked(user + "@localhost", name);
    }
    Post(EVENT_SHOW_BLOCKED_LIST);
    ASSERT_TRUE(app.driver.TapAction(BlockedListController::ACTION_UNBLOCK_SCREEN));
    ASSERT_EQ((AppUnderTest::Screen{"BLOCKED_LIST", "Unblock"}), app.Visible());
    ASSERT_EQ(6u, VisibleListRows().size());
    EXPECT_EQ("Select all", VisibleListRows()[0]);
    EXPECT_EQ("0 items selected", Selection());
    EXPECT_FALSE(Enabled(BlockedListSelectionController::ACTION_CARRY_OUT));

    ASSERT_TRUE(app.driver.TapRow(0));
    EXPECT_TRUE(Checked(1) && Checked(5));
    EXPECT_EQ("5 items selected", Selection());
    ASSERT_TRUE(app.driver.TapRow(3));
    EXPECT_FALSE(Checked(0)) << "one contact unchecked clears select-all";
    ASSERT_TRUE(app.driver.TapAction(BlockedListSelectionController::ACTION_CANCEL));
    EXPECT_EQ(STATE_BLOCKED_LIST, IMManager::GetScreenStatesObj()->getState());
    EXPECT_TRUE(Requests().empty());

    ASSERT_TRUE(app.driver.TapAction(BlockedListController::ACTION_UNBLOCK_SCREEN));
    EXPECT_FALSE(Checked(0) || Checked(1)) << "a new showing starts unchecked";
    ASSERT_TRUE(app.driver.TapRow(2));
    ASSERT_TRUE(app.driver.TapRow(4));
    EXPECT_EQ("2 items selected", Selection());
    EXPECT_TRUE(Enabled(BlockedListSelectionController::ACTION_CARRY_OUT));
    ChatFixture::Screenshot(app, "blocked_unblock");
    ASSERT_TRUE(app.driver.TapAction(BlockedListSelectionController::ACTION_CARRY_OUT));
    EXPECT_EQ((Rows{"RemoveFromIgnoreList dot@localhost", "RemoveFromIgnoreList bea@localhost"}), Requests());
    EXPECT_EQ((AppUnderTest::Screen{"BLOCKED_LIST", "Blocked contacts"}), app.Visible());
    EXPECT_EQ((Rows{"Ada | ada@localhost", "Cy | cy@localhost", "Eve | eve@localhost"}), VisibleListRows());

    RequestRecorder::Last()->Clear();
    ASSERT_TRUE(app.driver.TapAction(BlockedListController::ACTION_DELETE_SCREEN));
    ASSERT_EQ((AppUnderTest::Screen{"BLOCKED_LIST", "Delete"}), app.Visible());
    ASSERT_TRUE(app.driver.TapRow(0));
    ChatFixture::Screenshot(app, "blocked_delete");
    ASSERT_TRUE(app.driver.TapAction(BlockedListSelectionController::ACTION_CARRY_OUT));
    EXPECT_EQ((Rows{"RemoveContactFromGroup eve@localhost group=none", "RemoveContactFromGroup cy@localhost group=none",
                  "RemoveContactFromGroup ada@localhost group=none"}),
        Requests());
    EXPECT_TRUE(ShowsNoContacts()) << app.driver.Describe();
}

}  // namespace
