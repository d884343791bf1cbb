// A message that arrives while the application is in the background: the alert (a vibration
// in silent mode), the badge and the ongoing-activity entry, which opens the sender's chat;
// coming back to the foreground clears the badge.
#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "app/ModelResponseImpl.h"
#include "app/ScreenStates.h"
#include "platform/DeviceLog.h"
#include "platform/NotificationManager.h"
#include "platform/SettingInfo.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

class BackgroundMessageTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.Launched());
        IMManager::GetPropertiesModel()->Init();
        IMManager::GetPropertiesModel()->SetAlertSettings("melody");
        IMManager::notifyEvent(EVENT_SIGNED_IN);
        app.driver.PumpUntilIdle();
        Ixa::System::DeviceLog::Clear();
    }

    // Delivers a message as the engine's response thread does.
    static void Receive(const char* from, const char* text)
    {
        std::thread responseThread([from, text] {
            Message* message = IMManager::GetMessageModel()->CreateMessage();
            message->SetOtherUserId(from);
            message->SetMessage(text);
            ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(message, nullptr);
        });
        responseThread.join();
    }

    static int Badge()
    {
        Ixa::App::NotificationManager notifications;
        notifications.Construct();
        return notifications.GetBadgeNumber();
    }

    AppUnderTest app;
};

TEST_F(BackgroundMessageTest, AlertBadgeAndOngoingEntryThatOpensTheChat)
{
    app.driver.Home();
    Receive("carol@example.com", "are you there?");
    app.driver.PumpUntilIdle();
    EXPECT_EQ(std::vector<std::string>{"play /Res/msn_newmsg.amr"}, Ixa::System::DeviceLog::GetEntries());
    EXPECT_GE(Badge(), 1);
    ASSERT_TRUE(app.driver.SelectNotification()) << "the ongoing-activity entry is shown";
    app.driver.PumpUntilIdle();
    EXPECT_EQ(0, Badge());
    EXPECT_FALSE(IMManager::GetIsAppInBackgroundState());
    EXPECT_EQ(STATE_CHAT, IMManager::GetScreenStatesObj()->getState());
    EXPECT_EQ("CHAT_SCREEN", app.Visible().form);
    std::unique_ptr<Contact> sender(IMManager::GetContactModel()->GetContactById("carol@example.com"));
    ASSERT_NE(nullptr, sender) << "the sender is kept as a non-buddy";
    EXPECT_FALSE(sender->GetOnBuddyList());
}

TEST_F(BackgroundMessageTest, SilentModeVibratesInsteadOfPlaying)
{
    Ixa::System::SettingInfo::SetValue("SilentMode", true);
    app.driver.Home();
    Receive("dave@example.com", "hi");
    app.driver.PumpUntilIdle();
    EXPECT_EQ(std::vector<std::string>{"vibrate 1000 0"}, Ixa::System::DeviceLog::GetEntries());
}

TEST_F(BackgroundMessageTest, ForegroundReturnClearsTheBadge)
{
    app.driver.Home();
    Receive("erin@example.com", "one");
    Receive("erin@example.com", "two");
    app.driver.PumpUntilIdle();
    EXPECT_GE(Badge(), 1);
    app.driver.Home();
    app.driver.PumpUntilIdle();
    EXPECT_EQ(0, Badge());
}

TEST_F(BackgroundMessageTest, ForegroundMessagePlaysWithoutNotificationUnlessTheChatIsOpen)
{
    Receive("frank@example.com", "hello");
    app.driver.PumpUntilIdle();
    EXPECT_EQ(std::vector<std::string>{"play /Res/msn_newmsg.amr"}, Ixa::System::DeviceLog::GetEntries());
    EXPECT_FALSE(app.driver.SelectNotification());
    IMManager::notifyEvent(EVENT_SHOW_CHAT);
    app.driver.PumpUntilIdle();
    Ixa::System::DeviceLog::Clear();
    Receive("frank@example.com", "again");
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(Ixa::System::DeviceLog::GetEntries().empty());
}

// The engine's response thread never plays the alert itself: a burst of messages costs it no
// sound, and the user-interface thread plays one alert for the lot.
TEST_F(BackgroundMessageTest, ABurstOfMessagesPlaysOneAlertOnTheUserInterfaceThread)
{
    std::thread responseThread([] {
        for (int i = 0; i < 20; ++i) {
            Message* message = IMManager::GetMessageModel()->CreateMessage();
            message->SetOtherUserId("grace@example.com");
            message->SetMessage("burst");
            ModelResponseImpl::GetInstance()->OnMessageReceivedToChat(message, nullptr);
        }
    });
    responseThread.join();
    EXPECT_TRUE(Ixa::System::DeviceLog::GetEntries().empty());
    app.driver.PumpUntilIdle();
    EXPECT_EQ(std::vector<std::string>{"play /Res/msn_newmsg.amr"}, Ixa::System::DeviceLog::GetEntries());
}

TEST_F(BackgroundMessageTest, NoAlertWithoutTheMelodySetting)
{
    IMManager::GetPropertiesModel()->SetAlertSettings("off");
    app.driver.Home();
    Receive("gina@example.com", "quiet");
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(Ixa::System::DeviceLog::GetEntries().empty());
    EXPECT_GE(Badge(), 1);
}

}  // namespace
