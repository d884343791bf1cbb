#include "OwnStatusFixture.h"

#include "BuddyListProbe.h"
#include "LoginForm.h"

#include "app/IMManager.h"
#include "engine/EngineAccess.h"
#include "engine/GtalkRequestController.h"
#include "engine/PresenceStatus.h"
#include "store/MessageModel.h"
#include "xmpp/Connection.h"

using TestSupport::PeerEvent;

namespace {

const std::string Password = "through the looking glass";

}  // namespace

void OwnStatusFixture::SetUp()
{
    ProsodySuite::SetUp();
    if (IsSkipped()) {
        return;
    }
    static int serial = 0;
    ++serial;
    user_ = "cat" + std::to_string(serial);
    friend_ = "dodo" + std::to_string(serial);
    server_->Register(user_, Password);
    server_->Register(friend_, Password);
    peer_ = SignInPeer(*server_, friend_, Password, "peer");
    std::unique_ptr<TestSupport::PeerClient> own = SignInPeer(*server_, user_, Password, "setup");
    PrepareAccount(*own);
    MakeFriends(*own, {{peer_.get(), "Dodo"}});
    app_ = std::make_unique<AppUnderTest>(AppUnderTest::ServerOf(*server_));
    ASSERT_TRUE(app_->Launched());
    LoginForm form(*app_);
    ASSERT_TRUE(form.SubmitSignIn(user_, Password));
    ASSERT_TRUE(app_->PumpUntil([] { return BuddyListProbe::RowOf("Dodo") >= 0; })) << app_->driver.Describe();
    ASSERT_TRUE(SeenByPeer("available", ""));
}

void OwnStatusFixture::PrepareAccount(TestSupport::PeerClient&) {}

void OwnStatusFixture::RestartServer()
{
    server_->Kill();
    ASSERT_TRUE(app_->PumpUntil([] { return IMManager::IsReconnecting(); }));
    server_->Start();
    peer_ = SignInPeer(*server_, friend_, Password, "peer");
    ASSERT_TRUE(app_->PumpUntil([] { return !IMManager::IsReconnecting(); }));
}

std::string OwnStatusFixture::Jid(const std::string& user) { return user + "@localhost"; }

bool OwnStatusFixture::SeenByPeer(const std::string& type, const std::string& show, const std::string& status)
{
    std::optional<PeerEvent> presence = NextPresence();
    if (!presence) {
        ADD_FAILURE() << "no presence of the user reached the peer";
        return false;
    }
    EXPECT_EQ((*presence)["type"], type);
    EXPECT_EQ((*presence)["show"], show);
    EXPECT_EQ((*presence)["status"], status);
    return (*presence)["type"] == type && (*presence)["show"] == show && (*presence)["status"] == status;
}

std::optional<PeerEvent> OwnStatusFixture::NextPresence()
{
    const std::string from = Jid(user_) + "/Mobile";
    return peer_->WaitFor("presence", Wait, [&](const PeerEvent& event) { return event["from"].rfind(from, 0) == 0; });
}

void OwnStatusFixture::ShowThroughSettings(int event, const std::string& form)
{
    IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
    IMManager::notifyEvent(static_cast<EVENT_T>(event));
    ASSERT_TRUE(app_->PumpUntil([&] { return app_->Visible().form == form; })) << app_->driver.Describe();
}

bool OwnStatusFixture::SelfStatusIs(int code)
{
    return app_->PumpUntil([&] { return IMManager::CopySelfStatus().GetPresenceStatus() == code; });
}

void OwnStatusFixture::SetSelfStatus(int code, const char* text)
{
    PresenceStatus status(IMManager::CopySelfStatus());
    status.SetPresenceStatus(code);
    Ixa::Base::String message(text);
    status.SetCustomStatusMessage(message);
    IMManager::GetRequestController()->SetClientPresence(new PresenceStatus(status));
    // A screen shows the status once the service reports it back, and only then can the user
    // build the next one on it.
    EXPECT_TRUE(app_->PumpUntil([&] {
        PresenceStatus self = IMManager::CopySelfStatus();
        return self.GetPresenceStatus() == code && (code == PresenceStatus::OFFLINE || self.GetCustomStatusMessage() == message);
    })) << "the service did not report the status back";
}

int OwnStatusFixture::UnreadFromFriend()
{
    return IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(Jid(friend_).c_str());
}

std::string OwnStatusFixture::LastFromFriend()
{
    std::unique_ptr<Message> last(IMManager::GetMessageModel()->GetLastMessageWithUser(IMString(Jid(friend_).c_str())));
    return last != nullptr ? last->GetMessage().ToUtf8() : std::string();
}

std::vector<bool> OwnStatusFixture::Refused()
{
    ServiceSupport& support = EngineAccess::connection(IMManager::GetRequestController())->serviceSupport();
    return {support.isRefused(ServiceSupport::SHARED_STATUS), support.isRefused(ServiceSupport::NO_SAVE),
        support.isRefused(ServiceSupport::SETTINGS)};
}

void OwnStatusFixture::TypeIntoField(const std::string& text)
{
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "EditField") {
            ASSERT_TRUE(app_->driver.OpenKeypad(entry));
            ASSERT_TRUE(app_->driver.Type(text));
            return;
        }
    }
    ADD_FAILURE() << "no field on the screen\n" << app_->driver.Describe();
}
