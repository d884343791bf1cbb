// The screen state machine with the application's screens: every row of the table shows its
// screen, events without a row change nothing, and the notified chat opens from anywhere but
// the sign-in and the chat itself.
#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "app/IMScreen.h"
#include "app/ScreenStates.h"
#include "platform/Footer.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// What each screen id looks like on screen: form name and title.
const std::map<int, AppUnderTest::Screen> screens = {
    {SCREEN_LOGIN, {"LOGIN_SCREEN", "VeloIM"}},
    {SCREEN_SELF_INFO, {"SELFINFO_SCREEN", "My profile"}},
    {SCREEN_CONTACT_INFO, {"CONTACTINFO_SCREEN", "Friend details"}},
    {SCREEN_BUDDY_LIST, {"BUDDY_SCREEN", "VeloIM"}},
    {SCREEN_CONVERSATIONS, {"CONVERSATIONS_SCREEN", "VeloIM"}},
    {SCREEN_DELETE_CONVERSATIONS, {"DELETE_CONVERSATION_SCREEN", "End conversation"}},
    {SCREEN_ADD_CONTACT, {"ADDCONTACT_SCREEN", "VeloIM"}},
    {SCREEN_CHAT, {"CHAT_SCREEN", "Send message to"}},
    {SCREEN_BLOCKED_LIST, {"BLOCKED_LIST", "Blocked contacts"}},
    {SCREEN_BLOCKED_UNBLOCK, {"BLOCKED_LIST", "Unblock"}},
    {SCREEN_BLOCKED_DELETE, {"BLOCKED_LIST", "Delete"}},
    {SCREEN_SETTINGS, {"SETTINGS_SCREEN", "Options"}},
    {SCREEN_GROUP, {"GROUP_SCREEN", "Create group"}},
    {SCREEN_STATUS, {"STATUS_SCREEN", "Status"}},
    {SCREEN_RESTORE, {"RESTORE_SCREEN", "Saved conversations"}},
    {SCREEN_RESTORE_CHAT, {"RESTORE_CHAT_SCREEN", ""}},
    {SCREEN_DELETE_RESTORE, {"DELETE_RESTORE_SCREEN", "Delete"}},
    {SCREEN_QUICK_TEXT_LIST, {"QUICK_TEXT_SCREEN", "Quick text"}},
    {SCREEN_QUICK_TEXT_ADD, {"QUICK_TEXT_ADD_SCREEN", "Add quick text"}},
    {SCREEN_QUICK_TEXT_DELETE, {"QUICK_TEXT_DELETE_SCREEN", "Delete"}},
    {SCREEN_PERSONAL_MESSAGE, {"PERSONAL_MESSAGE_SCREEN", "Personal message"}},
    {SCREEN_PROTECT_RESTORE, {"PROTECT_RESTORE_SCREEN", "Protection on"}},
    {SCREEN_GROUP_LIST, {"GROUP_LIST", "Add to group"}},
    {SCREEN_NAME_DISPLAY, {"NAMEDISPLAY_SCREEN", "Display name"}},
    {SCREEN_SEND_IM, {"SENDIM_SCREEN", "Send message to"}},
};

class ScreenStatesTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.Launched()); }

    void Post(STATE_T from, EVENT_T event)
    {
        IMManager::setState(from);
        IMManager::notifyEvent(event);
        app.driver.PumpUntilIdle();
    }

    STATE_T State() const { return IMManager::GetScreenStatesObj()->getState(); }

    AppUnderTest app;
};

TEST_F(ScreenStatesTest, StartShowsTheSignInScreen)
{
    EXPECT_EQ(STATE_LOGIN, State());
    EXPECT_EQ(screens.at(SCREEN_LOGIN), app.Visible());
}

TEST_F(ScreenStatesTest, EveryRowOfTheTableShowsItsScreen)
{
    const int rows = ScreenStates::getLastIndexValidForstateTable();
    ASSERT_EQ(89, rows);
    ASSERT_EQ(STATE_TABLE_END, ScreenStates::stateTable[rows - 1].state);
    for (int row = 0; row < rows - 1; ++row) {
        const ScreenStates::Row& entry = ScreenStates::stateTable[row];
        Post(static_cast<STATE_T>(entry.state), static_cast<EVENT_T>(entry.event));
        EXPECT_EQ(entry.nextState, State()) << "row " << row;
        EXPECT_EQ(screens.at(entry.screenId), app.Visible()) << "row " << row;
    }
}

// A lost session, a refused password or a sign-out shows the sign-in screen from wherever the
// user is.
TEST_F(ScreenStatesTest, EventsWithoutARowChangeNothing)
{
    Post(STATE_SETTINGS, EVENT_SHOW_CHAT);
    EXPECT_EQ(screens.at(SCREEN_CHAT), app.Visible());
    Post(STATE_CONTACT_INFO, EVENT_SHOW_CHAT);
    EXPECT_EQ(STATE_CONTACT_INFO, State());
    EXPECT_EQ(screens.at(SCREEN_CHAT), app.Visible());
}

TEST_F(ScreenStatesTest, NotifiedChatOpensFromEveryScreenButSignIn)
{
    Post(STATE_LOGIN, EVENT_OPEN_NOTIFIED_CHAT);
    EXPECT_EQ(STATE_LOGIN, State());
    EXPECT_EQ(screens.at(SCREEN_LOGIN), app.Visible());
    Post(STATE_RESTORE_CHAT, EVENT_OPEN_NOTIFIED_CHAT);
    EXPECT_EQ(STATE_CHAT, State());
    EXPECT_EQ(screens.at(SCREEN_CHAT), app.Visible());
    Post(STATE_CHAT, EVENT_OPEN_NOTIFIED_CHAT);
    EXPECT_EQ(STATE_CHAT, State());
}

// Whichever screen is up when the connection is lost, its popup leads to the sign-in screen.
TEST_F(ScreenStatesTest, EveryStateButStartAndSignInReachesSignInWhenTheConnectionIsLost)
{
    const int rows = ScreenStates::getLastIndexValidForstateTable();
    for (const auto& [screenId, screen] : screens) {
        if (screenId == SCREEN_LOGIN) {
            continue;
        }
        int into = -1;
        for (int row = 0; row < rows - 1 && into < 0; ++row) {
            into = ScreenStates::stateTable[row].screenId == screenId ? row : -1;
        }
        ASSERT_GE(into, 0) << screen.form << " is reached by no row";
        const ScreenStates::Row& entry = ScreenStates::stateTable[into];
        Post(static_cast<STATE_T>(entry.state), static_cast<EVENT_T>(entry.event));
        ASSERT_EQ(screen, app.Visible());
        const auto state = static_cast<STATE_T>(entry.nextState);
        IMManager::notifyEvent(EVENT_CONNECTION_LOST);
        app.driver.PumpUntilIdle();
        ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_CONNECTION_END_OK)) << screen.form << "\n" << app.driver.Describe();
        app.driver.PumpUntilIdle();
        EXPECT_EQ(STATE_LOGIN, State()) << "from state 0x" << std::hex << state;
        EXPECT_EQ(screens.at(SCREEN_LOGIN), app.Visible()) << screen.form;
    }
}

TEST_F(ScreenStatesTest, BackButtonPostsTheScreensWayBack)
{
    Post(STATE_BUDDY_LIST, EVENT_SHOW_SETTINGS);
    Post(STATE_SETTINGS, EVENT_SHOW_STATUS);
    ASSERT_EQ(screens.at(SCREEN_STATUS), app.Visible());
    ASSERT_TRUE(app.driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID));
    app.driver.PumpUntilIdle();
    EXPECT_EQ(STATE_SETTINGS, State());
    EXPECT_EQ(screens.at(SCREEN_SETTINGS), app.Visible());
}

TEST(ScreenStatesWithoutScreens, UnknownScreenIdsGiveNothing)
{
    ScreenStates states;
    EXPECT_EQ(nullptr, states.getScreenObject(0x1234));
    EXPECT_EQ(nullptr, states.getScreenObject(SCREEN_LOGIN)) << "no factory installed";
    EXPECT_EQ(nullptr, states.getCurrentScreen());
}

}  // namespace
