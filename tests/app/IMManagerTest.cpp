// The manager as the engine's non-model delegate and as the screens' helper: the engine's
// initial-list flag is cleared on connection loss and every sign-out, a cancelled sign-in does not
// count as signed in, the own presence updates the stored available state only when it
// changes, and times read as the clock setting says.
#include "support/AppUnderTest.h"

#include "app/IMManager.h"
#include "platform/SettingInfo.h"
#include "xmpp/Constants.h"
#include "store/ContactIconModel.h"
#include "store/PropertiesModel.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include <fstream>
#include <iterator>
#include <memory>

namespace {

class IMManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.Launched());
        controller = IMManager::GetRequestController();
        ASSERT_NE(nullptr, controller);
        engine = controller->GetResponseDelegate();
        ASSERT_NE(nullptr, engine);
    }

    AppUnderTest app;
    GtalkRequestController* controller = nullptr;
    ResponseDelegate* engine = nullptr;
};

TEST_F(IMManagerTest, ConnectionLossClearsTheInitialListFlagAndShowsTheWayBack)
{
    controller->SetInitialListReceived(true);
    engine->OnConnectionLost();
    EXPECT_FALSE(controller->IsInitialListReceived());
    EXPECT_FALSE(IMManager::GetIsAppSignedIn());
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("The connection to the server was lost."));
}

TEST_F(IMManagerTest, SignOutClearsTheInitialListFlagAndReturnsToSignIn)
{
    IMManager::notifyEvent(EVENT_SIGNED_IN);
    app.driver.PumpUntilIdle();
    ASSERT_EQ("BUDDY_SCREEN", app.Visible().form);
    controller->SetInitialListReceived(true);
    engine->OnSignOutSuccess();
    EXPECT_FALSE(controller->IsInitialListReceived());
    app.driver.PumpUntilIdle();
    EXPECT_EQ("LOGIN_SCREEN", app.Visible().form);
}

TEST_F(IMManagerTest, ServerInitiatedSignOutClearsTheInitialListFlagToo)
{
    controller->SetInitialListReceived(true);
    const IMString reason("conflict");
    engine->OnServerInitiatedSignOut(&reason);
    EXPECT_FALSE(controller->IsInitialListReceived()) << "the next sign-in's roster is a first roster again";
    EXPECT_FALSE(IMManager::GetIsAppSignedIn());
}

TEST_F(IMManagerTest, SignInOutcomeAfterACancelIsNotASignIn)
{
    controller->SetSignInCancel(true);
    engine->OnSignInSuccess();
    EXPECT_FALSE(IMManager::GetIsAppSignedIn());
    engine->OnSignInError(1, nullptr);
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(app.PopupShows("Sign-in failed.")) << "a cancelled sign-in reports no error";
}

TEST_F(IMManagerTest, OwnPresenceStoresTheAvailableStateOnlyWhenItChanges)
{
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    properties->Init();
    engine->OnClientPresenceUpdated(PresenceStatus(PresenceStatus::AVAILABLE, "at work", false, 0));
    EXPECT_TRUE(properties->IsAvailableState());
    EXPECT_EQ(Ixa::Base::String("at work"), IMManager::GetSelfStatus()->GetCustomStatusMessage());
    properties->SetAvailableState(false);
    engine->OnClientPresenceUpdated(PresenceStatus(PresenceStatus::AVAILABLE, "at work", false, 0));
    EXPECT_FALSE(properties->IsAvailableState()) << "the same presence again leaves the stored state alone";
    engine->OnClientPresenceUpdated(PresenceStatus(PresenceStatus::OFFLINE));
    EXPECT_FALSE(properties->IsAvailableState());
}

// The response thread writes the own status while the screens copy it: every copy is one
// whole status, never half of one, and a sign-in's own settings go in under the same lock.
TEST_F(IMManagerTest, OwnStatusIsCopiedWholeWhileTheResponseThreadWritesIt)
{
    std::thread responseThread([this] {
        for (int i = 0; i < 2000; ++i) {
            engine->OnClientPresenceUpdated(i % 2 == 0 ? PresenceStatus(PresenceStatus::AVAILABLE, "at work", false, 0)
                                                       : PresenceStatus(PresenceStatus::OFFLINE, "gone home", false, 0));
        }
    });
    int torn = 0;
    for (int i = 0; i < 2000; ++i) {
        PresenceStatus copy = IMManager::CopySelfStatus();
        const std::string message = copy.GetCustomStatusMessage().ToUtf8();
        const bool whole = (copy.GetPresenceStatus() == PresenceStatus::AVAILABLE && message == "at work")
            || (copy.GetPresenceStatus() == PresenceStatus::OFFLINE && message == "gone home")
            || copy.GetPresenceStatus() == PresenceStatus::NEVER_SEEN;
        torn += whole ? 0 : 1;
    }
    responseThread.join();
    app.driver.PumpUntilIdle();
    EXPECT_EQ(0, torn);

    IMManager::PrepareSelfStatusForSignIn(true, "hidden away");
    PresenceStatus hidden = IMManager::CopySelfStatus();
    EXPECT_EQ(PresenceStatus::OFFLINE, hidden.GetPresenceStatus());
    EXPECT_TRUE(hidden.GetInvisible());
    EXPECT_FALSE(hidden.GetDoNotDisturb());
    EXPECT_EQ("hidden away", hidden.GetCustomStatusMessage().ToUtf8());
}

TEST_F(IMManagerTest, DisplayNameFromTheServerWinsOverTheAccountName)
{
    const IMString name("Ann Example");
    engine->OnMyDisplayNameChanged(&name);
    EXPECT_EQ(name, IMManager::GetDisplayName());
}

TEST_F(IMManagerTest, TimesFollowTheClockSetting)
{
    auto at = [](int hour, int minute) {
        Ixa::Base::DateTime time;
        time.SetValue(2024, 5, 1, hour, minute);
        return IMManager::GetTimeAsString(&time).ToUtf8();
    };
    Ixa::System::SettingInfo::SetValue("24HourFormatSelected", false);
    EXPECT_EQ("12:07 AM", at(0, 7));
    EXPECT_EQ("12:30 PM", at(12, 30));
    EXPECT_EQ("01:05 PM", at(13, 5));
    Ixa::System::SettingInfo::SetValue("24HourFormatSelected", true);
    EXPECT_EQ("13:05", at(13, 5));
    EXPECT_EQ("", IMManager::GetTimeAsString(nullptr).ToUtf8());
}

TEST_F(IMManagerTest, FormattedTextsTakeTheArgumentLiterally)
{
    EXPECT_EQ(Ixa::Base::String("Allow %d@example.com to add you as a friend?"),
        IMManager::GetFormatString(IMManager::GetStringFromResource("IDS_IM_POP_ALLOW_PS_TO_ADD_YOU_AS_FRIEND_Q"), "%d@example.com"));
    EXPECT_EQ(Ixa::Base::String(), IMManager::GetStringFromResource("IDS_NOT_THERE"));
}

// An avatar as the engine stores it: the picture's bytes, whatever their format.
std::unique_ptr<IMByteBuffer> PictureBytes(const std::string& name)
{
    std::ifstream file(std::string(VELOIM_TEST_RESOURCES) + "/" + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto buffer = std::make_unique<IMByteBuffer>();
    buffer->Construct(static_cast<int>(bytes.size()));
    buffer->SetArray(reinterpret_cast<const Ixa::byte*>(bytes.data()), 0, static_cast<int>(bytes.size()));
    buffer->Flip();
    return buffer;
}

TEST_F(IMManagerTest, AvatarsDecodeOrFallBackToThePlaceholder)
{
    IMManager::GetPropertiesModel()->Init();
    ContactIconModel* icons = IMManager::GetContactIconModel();
    std::unique_ptr<ContactIcon> icon(icons->CreateContactIcon());
    const std::string self = "ann@" + Constants::DOMAIN.ToUtf8();
    icon->SetContactId(IMString(self.c_str()));
    icon->SetImageByteBuffer(PictureBytes("available.png").get());
    ASSERT_TRUE(icons->SaveOrUpdate(icon.get()));
    for (const std::string& typed : {std::string("ann"), std::string(" Ann "), "ANN@" + Constants::DOMAIN.ToUtf8(), self + " "}) {
        IMManager::GetPropertiesModel()->SetUserName(IMString(typed.c_str()));
        std::unique_ptr<Ixa::Graphics::Bitmap> own(IMManager::GetSelfIcon());
        ASSERT_NE(nullptr, own);
        EXPECT_EQ(32, own->GetWidth()) << "the stored avatar, found for the id typed as \"" << typed << "\"";
    }
    std::unique_ptr<ContactIcon> broken(icons->CreateContactIcon());
    IMByteBuffer garbage;
    garbage.Construct(4);
    broken->SetImageByteBuffer(&garbage);
    std::unique_ptr<Ixa::Graphics::Bitmap> placeholder(IMManager::GetBitmapFromContactIcon(broken.get()));
    ASSERT_NE(nullptr, placeholder);
    EXPECT_EQ(72, placeholder->GetWidth()) << "no_contacts.png";
}

}  // namespace
