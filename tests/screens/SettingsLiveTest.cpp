// The settings, the personal message, the name display and the own profile in the running
// application, against the local Prosody with a slixmpp peer as the user's friend: back goes
// where the screen was opened from, the switches take effect at once, sign-out asks first, a
// personal message reaches the peer (also through a server with Prosody's stock modules
// alone), a save that changes nothing sends nothing, and the display name kept on the server
// shows on the own profile.
#include "BuddyListProbe.h"
#include "OwnStatusFixture.h"

#include "app/IMManager.h"
#include "engine/PresenceStatus.h"
#include "screens/BuddyController.h"
#include "screens/ChatController.h"
#include "screens/PersonalMessageController.h"
#include "screens/SelfInfoController.h"
#include "screens/SettingsController.h"
#include "store/PropertiesModel.h"

#include "platform/DeviceLog.h"
#include "platform/Footer.h"
#include "platform/ScrollPanel.h"

#include <gtest/gtest.h>

using TestSupport::PeerClient;
using TestSupport::PeerEvent;

namespace {

const std::string DisplayName = "Cheshire Cat";

class SettingsLiveTest : public OwnStatusFixture {
protected:
    void PrepareAccount(PeerClient& own) override
    {
        ExpectDone(own, "raw <iq type='set'><usersetting xmlns='google:setting'><displayname value='" + DisplayName +
                            "'/></usersetting></iq>");
    }

    bool Showing(const std::string& form)
    {
        return app_->PumpUntil([&] { return app_->Visible().form == form; });
    }

    // Scrolls the settings page to the control first, as the user would.
    bool TapOnPage(int actionId)
    {
        std::optional<Ixa::Ui::ScreenProbe::Entry> target = app_->driver.FindByActionId(actionId);
        for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
            auto* panel = dynamic_cast<Ixa::Ui::Controls::ScrollPanel*>(entry.control);
            if (panel != nullptr && target) {
                panel->ScrollToControl(*target->control);
            }
        }
        app_->driver.PumpUntilIdle();
        return app_->driver.TapAction(actionId);
    }

    bool TapBack() { return app_->driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID); }

    bool Checked(int checkedActionId)
    {
        std::optional<Ixa::Ui::ScreenProbe::Entry> check = app_->driver.FindByActionId(checkedActionId);
        return check && check->selected;
    }

    // A client of the user's own that asked for the shared status, so the server pushes it
    // every shared status the application sets.
    std::unique_ptr<PeerClient> SharedStatusWatcher()
    {
        std::unique_ptr<PeerClient> watcher = SignInPeer(*server_, user_, "through the looking glass", "desk");
        ExpectDone(*watcher, "raw <iq type='get'><query xmlns='google:shared-status' version='2'/></iq>");
        return watcher;
    }

    void SaveMessage(const std::string& text)
    {
        ShowThroughSettings(EVENT_SHOW_PERSONAL_MESSAGE, "PERSONAL_MESSAGE_SCREEN");
        TypeIntoField(text);
        ASSERT_TRUE(app_->driver.TapAction(PersonalMessageController::ACTION_KEYPAD_SAVE));
        ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    }

    void PersonalMessageReachesThePeerAndAnUnchangedSaveSendsNothing(PeerClient* watcher);
};

class SettingsStockLiveTest : public SettingsLiveTest {
protected:
    static void SetUpTestSuite() { SetUpStockSuite(); }
    void PrepareAccount(PeerClient&) override {}
};

TEST_F(SettingsLiveTest, BackReturnsWhereTheSettingsAndTheProfileWereOpened)
{
    ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_SETTINGS));
    ASSERT_TRUE(Showing("SETTINGS_SCREEN")) << app_->driver.Describe();
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("BUDDY_SCREEN"));

    ASSERT_TRUE(app_->driver.TapRow(BuddyListProbe::RowOf("Dodo")));
    ASSERT_TRUE(Showing("CHAT_SCREEN")) << app_->driver.Describe();
    const AppUnderTest::Screen chat = app_->Visible();
    ASSERT_TRUE(app_->driver.TapAction(ChatController::ACTION_SETTINGS));
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    ASSERT_TRUE(app_->driver.TapRow(SettingsController::ROW_STATUS));
    ASSERT_TRUE(Showing("STATUS_SCREEN"));
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("CHAT_SCREEN")) << app_->driver.Describe();
    EXPECT_EQ(app_->Visible(), chat) << "the same chat";

    IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS);
    ASSERT_TRUE(Showing("CONVERSATIONS_SCREEN")) << app_->driver.Describe();
    SettingsController::Open(SettingsController::FROM_CONVERSATIONS);
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("CONVERSATIONS_SCREEN"));
    SelfInfoController::Open(SelfInfoController::FROM_CONVERSATIONS);
    ASSERT_TRUE(Showing("SELFINFO_SCREEN"));
    ASSERT_TRUE(app_->driver.TapAction(SelfInfoController::ACTION_CANCEL));
    ASSERT_TRUE(Showing("CONVERSATIONS_SCREEN"));

    IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
    ASSERT_TRUE(Showing("BUDDY_SCREEN"));
    ASSERT_TRUE(app_->driver.TapRow(1)) << "the user's own row, under the group's header";
    ASSERT_TRUE(Showing("SELFINFO_SCREEN")) << app_->driver.Describe();
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("BUDDY_SCREEN"));
}

TEST_F(SettingsLiveTest, TheSwitchesTakeEffectAtOnce)
{
    ASSERT_TRUE(peer_->Quit());
    ASSERT_TRUE(app_->PumpUntil([] {
        const int row = BuddyListProbe::RowOf("Dodo");
        const Contact* dodo = row >= 0 ? bc.GetContactByIndex(row) : nullptr;
        return dodo != nullptr && dodo->GetPresenceType() == PresenceStatus::OFFLINE;
    })) << app_->driver.Describe();

    ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_SETTINGS));
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    EXPECT_TRUE(Checked(SettingsController::ACTION_SHOW_OFFLINE_ON));
    EXPECT_TRUE(Checked(SettingsController::ACTION_ALERT_ON));
    ASSERT_TRUE(app_->driver.TapAction(SettingsController::ACTION_SHOW_OFFLINE_ON));
    EXPECT_FALSE(Checked(SettingsController::ACTION_SHOW_OFFLINE_ON));
    EXPECT_FALSE(BuddyController::isShowOfflineContacts);
    EXPECT_FALSE(IMManager::GetPropertiesModel()->GetShowOfflineContactsOrPics());
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("BUDDY_SCREEN"));
    EXPECT_LT(BuddyListProbe::RowOf("Dodo"), 0) << app_->driver.Describe();

    ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_SETTINGS));
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    ASSERT_TRUE(app_->driver.TapAction(SettingsController::ACTION_SHOW_OFFLINE_ON));
    EXPECT_TRUE(IMManager::GetPropertiesModel()->GetShowOfflineContactsOrPics());
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("BUDDY_SCREEN"));
    EXPECT_GE(BuddyListProbe::RowOf("Dodo"), 0) << app_->driver.Describe();

    // A message that arrives while the settings show plays the alert, until it is switched off.
    std::unique_ptr<PeerClient> dodo = SignInPeer(*server_, friend_, "through the looking glass", "peer");
    ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_SETTINGS));
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    Ixa::System::DeviceLog::Clear();
    ExpectDone(*dodo, "send " + Jid(user_) + " Curiouser");
    EXPECT_TRUE(app_->PumpUntil([] { return !Ixa::System::DeviceLog::GetEntries().empty(); }));
    EXPECT_EQ(Ixa::System::DeviceLog::GetEntries(), std::vector<std::string>{"play /Res/msn_newmsg.amr"});

    // Alerts are played in the order the messages arrive: once the alert of the message after
    // the silent one has played, the silent one is known to have played none.
    ASSERT_TRUE(app_->driver.TapAction(SettingsController::ACTION_ALERT_ON));
    EXPECT_EQ(IMManager::GetPropertiesModel()->GetAlertSettings(), Ixa::Base::String("none"));
    Ixa::System::DeviceLog::Clear();
    ExpectDone(*dodo, "send " + Jid(user_) + " and curiouser");
    ASSERT_TRUE(app_->PumpUntil([&] { return UnreadFromFriend() == 2; }));
    ASSERT_TRUE(app_->driver.TapAction(SettingsController::ACTION_ALERT_ON));
    EXPECT_EQ(IMManager::GetPropertiesModel()->GetAlertSettings(), Ixa::Base::String("melody"));
    ExpectDone(*dodo, "send " + Jid(user_) + " cried Alice");
    EXPECT_TRUE(app_->PumpUntil([] { return !Ixa::System::DeviceLog::GetEntries().empty(); }));
    EXPECT_EQ(UnreadFromFriend(), 3);
    EXPECT_EQ(Ixa::System::DeviceLog::GetEntries(), std::vector<std::string>{"play /Res/msn_newmsg.amr"});
}

TEST_F(SettingsLiveTest, SignOutAsksFirst)
{
    ASSERT_TRUE(app_->driver.TapAction(BuddyController::ACTION_SETTINGS));
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    ASSERT_TRUE(TapOnPage(SettingsController::ACTION_SIGN_OUT));
    EXPECT_TRUE(app_->PopupShows("Sign out?")) << app_->driver.Describe();
    ASSERT_TRUE(app_->driver.TapAction(SettingsController::ACTION_SIGN_OUT_NO));
    app_->driver.PumpUntilIdle();
    EXPECT_FALSE(app_->PopupShows("Sign out?"));
    EXPECT_EQ(app_->Visible().form, "SETTINGS_SCREEN");
    EXPECT_TRUE(IMManager::GetIsAppSignedIn());

    ASSERT_TRUE(TapOnPage(SettingsController::ACTION_SIGN_OUT));
    ASSERT_TRUE(app_->driver.TapAction(SettingsController::ACTION_SIGN_OUT_YES));
    EXPECT_TRUE(SeenByPeer("unavailable", ""));
    EXPECT_TRUE(Showing("LOGIN_SCREEN")) << app_->driver.Describe();
}

// The next shared status or presence after saves that changed nothing is the one of the next
// real change: the saves sent nothing.
void SettingsLiveTest::PersonalMessageReachesThePeerAndAnUnchangedSaveSendsNothing(PeerClient* watcher)
{
    auto nextPush = [&] { return watcher->WaitFor("push", Wait); };
    SaveMessage("Gone to the tea party");
    ASSERT_TRUE(SeenByPeer("available", "", "Gone to the tea party"));
    if (watcher != nullptr) {
        std::optional<PeerEvent> push = nextPush();
        ASSERT_TRUE(push);
        EXPECT_NE((*push)["xml"].find("<status>Gone to the tea party</status>"), std::string::npos) << (*push)["xml"];
    }
    EXPECT_EQ(IMManager::GetPropertiesModel()->GetCustomMessage(), Ixa::Base::String("Gone to the tea party"));
    ASSERT_TRUE(app_->PumpUntil(
        [] { return IMManager::CopySelfStatus().GetCustomStatusMessage() == Ixa::Base::String("Gone to the tea party"); }));

    // Left with its keypad open (a notification opens a chat from any screen), the screen
    // takes its keypad along.
    ShowThroughSettings(EVENT_SHOW_PERSONAL_MESSAGE, "PERSONAL_MESSAGE_SCREEN");
    TypeIntoField("x");
    IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    EXPECT_FALSE(app_->driver.KeypadShows()) << app_->driver.Describe();

    ShowThroughSettings(EVENT_SHOW_PERSONAL_MESSAGE, "PERSONAL_MESSAGE_SCREEN");
    ASSERT_TRUE(app_->driver.TapAction(PersonalMessageController::ACTION_SAVE));
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("BUDDY_SCREEN"));
    ASSERT_TRUE(app_->driver.TapRow(1));
    ASSERT_TRUE(Showing("SELFINFO_SCREEN"));
    ASSERT_TRUE(app_->driver.TapAction(SelfInfoController::ACTION_SAVE));
    ASSERT_TRUE(Showing("BUDDY_SCREEN"));

    SelfInfoController::Open(SelfInfoController::FROM_BUDDY_LIST);
    ASSERT_TRUE(Showing("SELFINFO_SCREEN"));
    ASSERT_TRUE(app_->driver.TapRow(1));
    ASSERT_TRUE(app_->driver.TapAction(SelfInfoController::ACTION_SAVE));
    ASSERT_TRUE(SeenByPeer("available", "dnd", "Gone to the tea party"));
    if (watcher != nullptr) {
        std::optional<PeerEvent> push = nextPush();
        ASSERT_TRUE(push);
        EXPECT_NE((*push)["xml"].find("<show>dnd</show>"), std::string::npos) << (*push)["xml"];
    }
}

TEST_F(SettingsLiveTest, PersonalMessageReachesThePeerAndAnUnchangedSaveSendsNothing)
{
    std::unique_ptr<PeerClient> watcher = SharedStatusWatcher();
    PersonalMessageReachesThePeerAndAnUnchangedSaveSendsNothing(watcher.get());
}

TEST_F(SettingsStockLiveTest, PersonalMessageReachesThePeerAndAnUnchangedSaveSendsNothing)
{
    PersonalMessageReachesThePeerAndAnUnchangedSaveSendsNothing(nullptr);
}

TEST_F(SettingsLiveTest, TheDisplayNameOnTheServerShowsOnTheProfile)
{
    ASSERT_TRUE(app_->PumpUntil([] { return IMManager::GetDisplayName() == Ixa::Base::String(DisplayName.c_str()); }));
    SelfInfoController::Open(SelfInfoController::FROM_BUDDY_LIST);
    ASSERT_TRUE(Showing("SELFINFO_SCREEN"));
    EXPECT_TRUE(app_->driver.FindByText(DisplayName)) << app_->driver.Describe();
    EXPECT_TRUE(app_->driver.FindByText(Jid(user_))) << app_->driver.Describe();
    ASSERT_TRUE(app_->driver.TapAction(SelfInfoController::ACTION_CANCEL));

    ShowThroughSettings(EVENT_SHOW_NAME_DISPLAY, "NAMEDISPLAY_SCREEN");
    std::optional<Ixa::Ui::ScreenProbe::Entry> row = app_->driver.FindRow(0);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text, "Display name | " + DisplayName);
    ASSERT_TRUE(TapBack());
    ASSERT_TRUE(Showing("SETTINGS_SCREEN"));
    row = app_->driver.FindRow(SettingsController::ROW_NAME);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text, "Name | " + DisplayName);
}

}  // namespace
