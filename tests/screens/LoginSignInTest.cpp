// Signing in from the form against real servers on 127.0.0.1: a local Prosody with a real
// account (first sign-in with the password saved and automatic sign-in, then a restart over
// the same data that reaches the buddy list by itself; a wrong password; signing out back to
// the form; the stores kept however the id is typed, and changing hands only once another
// account has signed in; messages an earlier run left "sending" going out at the next sign-in), and a server that accepts and never answers (the signing-in popup, the timeout
// after 60 s of the user-interface clock, the background, and cancelling).
#include "LoginForm.h"

#include "support/PeerClient.h"
#include "support/ProsodySuite.h"
#include "support/SilentServer.h"

#include "app/IMManager.h"
#include "app/IMScreen.h"
#include "screens/LoginController.h"
#include "store/Message.h"
#include "store/MessageModel.h"
#include "store/Properties.h"
#include "store/PropertiesModel.h"
#include "store/QuickTextModel.h"
#include "store/SavedMessagesModel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace {

using TestSupport::ProsodySuite;
using TestSupport::SilentServer;
using Texts = std::vector<std::string>;

const std::string User = "alice";
const std::string Password = "wonderland";
const std::string OtherUser = "bob";
const std::string OtherPassword = "builder";
// The server's certificate is for the domain, which the application reaches as "localhost".
const char* const Host = "localhost";
const std::string ScreenshotDir = VELOIM_SCREENSHOT_DIR;

bool InfoPopupShown(const AppUnderTest& app) { return app.driver.FindByActionId(IMScreen::ACTION_INFO_OK).has_value(); }

class LoginSignInTest : public ProsodySuite {
protected:
    static void SetUpTestSuite()
    {
        ProsodySuite::SetUpTestSuite();
        if (server_ != nullptr) {
            server_->Register(User, Password);
            server_->Register(OtherUser, OtherPassword);
        }
    }

    // Types the account and signs in; true once the buddy list shows.
    static bool SignIn(AppUnderTest& app, LoginForm& form)
    {
        return form.SubmitSignIn(User, Password) && app.PumpUntil([&] { return app.Visible().form == "BUDDY_SCREEN"; });
    }
};

TEST_F(LoginSignInTest, FirstSignInSavesTheAccountAndARestartSignsInByItself)
{
    AppUnderTest app(AppUnderTest::ServerOf(*server_));
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(form.TypeId(User));
    ASSERT_TRUE(form.TypePassword(Password));
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_AUTO_SIGN_IN_ON));
    // Settings stored before any account signed in: the first sign-in of an account puts
    // them back to their defaults while it keeps the account itself.
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    properties->SetAlertSettings(Ixa::Base::String("none"));
    properties->SetCustomMessage(Ixa::Base::String("gone fishing"));
    properties->SetShowOfflineContactsOrPics(false);
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_SIGN_IN));
    ASSERT_TRUE(app.PumpUntil([&] { return app.Visible().form == "BUDDY_SCREEN"; })) << app.driver.Describe();
    EXPECT_TRUE(IMManager::GetIsAppSignedIn());
    EXPECT_EQ("melody", properties->GetAlertSettings().ToUtf8());
    EXPECT_EQ("", properties->GetCustomMessage().ToUtf8());
    EXPECT_TRUE(properties->GetShowOfflineContactsOrPics());
    EXPECT_EQ(User + "@localhost", properties->GetUserName().ToUtf8());
    EXPECT_EQ(Password, properties->GetPassword().ToUtf8());
    EXPECT_TRUE(properties->GetSavePassword());
    EXPECT_TRUE(properties->GetIsAutoSignIn());
    EXPECT_FALSE(properties->IsResetDBRequired());

    ASSERT_TRUE(app.Relaunch());
    EXPECT_TRUE(app.PumpUntil([&] { return app.Visible().form == "BUDDY_SCREEN"; }))
        << "no automatic sign-in:\n" << app.driver.Describe();
    EXPECT_TRUE(IMManager::GetIsAppSignedIn());
    EXPECT_EQ(User + "@localhost", IMManager::GetPropertiesModel()->GetUserName().ToUtf8());
}

// What the user keeps on the device: a conversation with a buddy, a protected saved copy of
// it and a quick text.
class KeptData {
public:
    static void Store()
    {
        MessageModel* messages = IMManager::GetMessageModel();
        std::unique_ptr<Message> message(messages->CreateMessage());
        message->SetOtherUserId(IMString(Buddy));
        message->SetMessage(IMString("see you at eight"));
        message->SetMessageType(Message::TYPE_RECEIVED_READ);
        ASSERT_TRUE(messages->SaveOrUpdate(message.get()));
        auto conversation = new Ixa::Base::Collection::ArrayList();
        conversation->Construct(1);
        conversation->Add(IMManager::GetSavedMessagesModel()->CreateMessage());
        static_cast<Message*>(conversation->GetAt(0))->SetOtherUserId(IMString(Buddy));
        static_cast<Message*>(conversation->GetAt(0))->SetMessage(IMString("kept for ever"));
        ASSERT_TRUE(IMManager::GetSavedMessagesModel()->SaveAllMessagesWithUser(conversation, IMString(SavedKey)));
        ASSERT_TRUE(IMManager::GetSavedMessagesModel()->ProtectConversation(IMString(SavedKey)));
        ASSERT_TRUE(QuickTextModel::GetInstance()->AddNewText(IMString(Phrase)));
    }

    // "" when all of it is there, else what is missing.
    static std::string Missing()
    {
        std::string missing;
        if (!IMManager::GetMessageModel()->IsChatPresentWithUser(IMString(Buddy))) {
            missing += "conversation ";
        }
        if (!IMManager::GetSavedMessagesModel()->IsConversationProtectedWithUser(IMString(SavedKey))) {
            missing += "protected saved conversation ";
        }
        std::unique_ptr<Ixa::Base::Collection::ArrayList> texts(QuickTextModel::GetInstance()->GetAllTexts());
        if (texts == nullptr || texts->GetCount() != 1) {
            missing += "quick text";
        }
        if (texts != nullptr) {
            texts->RemoveAll(true);
        }
        return missing;
    }

private:
    static constexpr const char* Buddy = "carol@localhost";
    static constexpr const char* SavedKey = "carol@localhost_2024-05-06T07:00:00.000Z";
    static constexpr const char* Phrase = "On my way";
};

// Ends the session and starts the program again with an empty id field, as a user who
// types a new id would have it.
bool SignOutAndRestart(AppUnderTest& app)
{
    if (IMManager::GetIsAppSignedIn()) {
        IMManager::GetRequestController()->SignOut();
        if (!app.PumpUntil([&] { return app.Visible().form == "LOGIN_SCREEN"; })) {
            return false;
        }
    }
    IMManager::GetPropertiesModel()->SetUserName(Ixa::Base::String());
    return app.Relaunch() && LoginForm(app).IdText().empty();
}

TEST_F(LoginSignInTest, NoSignInErasesTheStoresUnlessAnotherAccountHasSignedIn)
{
    AppUnderTest app(AppUnderTest::ServerOf(*server_));
    ASSERT_TRUE(app.Launched());
    LoginForm first(app);
    ASSERT_TRUE(SignIn(app, first)) << app.driver.Describe();
    KeptData::Store();

    for (const char* typed : {"Alice", " alice@localhost ", "ALICE@LocalHost"}) {
        ASSERT_TRUE(SignOutAndRestart(app));
        LoginForm form(app);
        ASSERT_TRUE(form.SubmitSignIn(typed, Password));
        ASSERT_TRUE(app.PumpUntil([&] { return app.Visible().form == "BUDDY_SCREEN"; })) << typed << "\n" << app.driver.Describe();
        EXPECT_EQ("", KeptData::Missing()) << "signed in as \"" << typed << "\"";
        EXPECT_EQ("alice@localhost", IMManager::GetPropertiesModel()->GetEmailId().ToUtf8());
    }

    // Another account whose password is refused, and then a restart: nothing is erased.
    ASSERT_TRUE(SignOutAndRestart(app));
    LoginForm refused(app);
    ASSERT_TRUE(refused.SubmitSignIn(OtherUser, "wrong"));
    EXPECT_EQ("", KeptData::Missing()) << "while the server has not answered";
    ASSERT_TRUE(app.PumpUntil([&] { return InfoPopupShown(app); })) << app.driver.Describe();
    EXPECT_EQ("", KeptData::Missing()) << "after the refusal";
    ASSERT_TRUE(app.Relaunch());
    EXPECT_EQ(OtherUser + "@localhost", LoginForm(app).IdText()) << "the typed id is offered again";
    EXPECT_EQ("", KeptData::Missing()) << "after a restart";
    ASSERT_TRUE(SignOutAndRestart(app));
    LoginForm again(app);
    ASSERT_TRUE(SignIn(app, again)) << app.driver.Describe();
    EXPECT_EQ("", KeptData::Missing()) << "the stores are still alice's";

    // Another account that signs in: now, and only now, the stores change hands.
    ASSERT_TRUE(SignOutAndRestart(app));
    LoginForm other(app);
    ASSERT_TRUE(other.SubmitSignIn(OtherUser, OtherPassword));
    ASSERT_TRUE(app.PumpUntil([&] { return app.Visible().form == "BUDDY_SCREEN"; })) << app.driver.Describe();
    EXPECT_EQ("conversation protected saved conversation quick text", KeptData::Missing());
    EXPECT_FALSE(IMManager::GetPropertiesModel()->IsResetDBRequired());
}

TEST_F(LoginSignInTest, WrongPasswordShowsTheErrorAndKeepsWhatWasTyped)
{
    AppUnderTest app(AppUnderTest::ServerOf(*server_));
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(form.SubmitSignIn(User, "looking-glass"));
    ASSERT_TRUE(app.PumpUntil([&] { return InfoPopupShown(app); })) << app.driver.Describe();
    EXPECT_TRUE(app.PopupShows("Please check your user name and password."));
    EXPECT_FALSE(form.SigningIn());
    EXPECT_TRUE(form.Showing());
    EXPECT_EQ(User, form.IdText());
    EXPECT_EQ("looking-glass", form.PasswordText());
    EXPECT_TRUE(form.SignInEnabled());
    EXPECT_FALSE(IMManager::GetIsAppSignedIn());
    EXPECT_FALSE(IMManager::GetPropertiesModel()->GetSavePassword());

    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));
    EXPECT_FALSE(InfoPopupShown(app));
    EXPECT_EQ("looking-glass", form.PasswordText());
}

TEST_F(LoginSignInTest, SigningOutReturnsToTheFormWithThePasswordOnlyWhenSaved)
{
    AppUnderTest app(AppUnderTest::ServerOf(*server_));
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_SAVE_PASSWORD_ON));
    ASSERT_TRUE(SignIn(app, form)) << app.driver.Describe();

    IMManager::GetRequestController()->SignOut();
    ASSERT_TRUE(app.PumpUntil([&] { return form.Showing(); })) << app.driver.Describe();
    EXPECT_EQ(User, form.IdText());
    EXPECT_EQ(Password, form.PasswordText()) << "the password is saved";
    EXPECT_TRUE(form.SignInEnabled());
    EXPECT_EQ(Texts{}, form.PopupTitles());
    EXPECT_FALSE(InfoPopupShown(app));

    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_SAVE_PASSWORD_OFF));
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_SIGN_IN));
    ASSERT_TRUE(app.PumpUntil([&] { return app.Visible().form == "BUDDY_SCREEN"; })) << app.driver.Describe();
    IMManager::GetRequestController()->SignOut();
    ASSERT_TRUE(app.PumpUntil([&] { return form.Showing(); })) << app.driver.Describe();
    EXPECT_EQ(User, form.IdText());
    EXPECT_EQ("", form.PasswordText()) << "an unsaved password is not shown again";
    EXPECT_FALSE(form.SignInEnabled());
    std::unique_ptr<Properties> stored(IMManager::GetPropertiesModel()->GetProperties());
    ASSERT_NE(nullptr, stored);
    EXPECT_FALSE(stored->GetSavePassword());
    EXPECT_EQ("", stored->GetPassword().ToUtf8()) << "an unsaved password is not kept";
}

// A message of the user's to `to` stored as `type`; answers its id.
long long StoreOwnMessage(const std::string& to, const std::string& text, int type)
{
    std::unique_ptr<Message> message(IMManager::GetMessageModel()->CreateMessage());
    message->SetOtherUserId(IMString(to.c_str()));
    message->SetMessage(IMString(text.c_str()));
    message->SetMessageType(type);
    return IMManager::GetMessageModel()->SaveOrUpdate(message.get()) ? message->GetMessageId() : -1;
}

int StoredType(long long id)
{
    std::unique_ptr<Message> stored(IMManager::GetMessageModel()->FindMessageById(id));
    return stored != nullptr ? stored->GetMessageType() : -1;
}

// A run that ends (killed, say) while messages wait for the connection leaves them "sending";
// the next sign-in sends them in the order typed, and the one marked failed stays for the
// user to send again.
TEST_F(LoginSignInTest, MessagesAnEarlierRunLeftSendingGoOutInOrderAtTheNextSignIn)
{
    std::unique_ptr<TestSupport::PeerClient> bob = SignInPeer(*server_, OtherUser, OtherPassword, "peer");
    AppUnderTest app(AppUnderTest::ServerOf(*server_));
    ASSERT_TRUE(app.Launched());
    LoginForm first(app);
    ASSERT_TRUE(SignIn(app, first)) << app.driver.Describe();
    const std::string to = OtherUser + "@localhost";
    const long long waiting = StoreOwnMessage(to, "typed while away", Message::TYPE_SENDING);
    const long long failed = StoreOwnMessage(to, "given up", Message::TYPE_SEND_FAILED);
    const long long later = StoreOwnMessage(to, "typed after it", Message::TYPE_SENDING);
    ASSERT_TRUE(waiting > 0 && failed > 0 && later > 0);

    ASSERT_TRUE(SignOutAndRestart(app));
    LoginForm again(app);
    ASSERT_TRUE(SignIn(app, again)) << app.driver.Describe();
    for (const char* expected : {"typed while away", "typed after it"}) {
        std::optional<TestSupport::PeerEvent> message = bob->WaitFor("message", std::chrono::seconds(20));
        ASSERT_TRUE(message.has_value()) << "not received: " << expected;
        EXPECT_EQ(expected, (*message)["body"]);
    }
    EXPECT_TRUE(app.PumpUntil([&] { return StoredType(waiting) == Message::TYPE_SENT && StoredType(later) == Message::TYPE_SENT; }))
        << StoredType(waiting) << " " << StoredType(later);
    EXPECT_EQ(Message::TYPE_SEND_FAILED, StoredType(failed));
}

// The silent server's address, as the application reaches it.
AppUnderTest::Server SilentAt(const SilentServer& silent)
{
    AppUnderTest::Server server;
    server.port = silent.Port();
    return server;
}

TEST(LoginSilentServerTest, SigningInShowsProgressUntilTheTimeoutAfterSixtySeconds)
{
    SilentServer silent;
    AppUnderTest app(SilentAt(silent));
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(form.SubmitSignIn(User, Password));
    ASSERT_TRUE(form.SigningIn()) << app.driver.Describe();
    EXPECT_TRUE(app.PopupShows("Signing in alice..."));
    const auto spinner = app.driver.FindByText("frame 0 of 8");
    ASSERT_TRUE(spinner && spinner->kind == "Animation" && spinner->selected) << app.driver.Describe();
    std::filesystem::create_directories(ScreenshotDir);
    EXPECT_TRUE(app.driver.SaveScreenshot(ScreenshotDir + "/login-signing-in.png"));

    app.driver.AdvanceTime(600);
    EXPECT_TRUE(app.driver.FindByText("frame 3 of 8")) << "a frame every 200 ms:\n" << app.driver.Describe();
    app.driver.Home();
    EXPECT_FALSE(form.SigningIn()) << "hidden in the background";
    app.driver.Home();
    EXPECT_TRUE(form.SigningIn()) << "back in the foreground";

    app.driver.AdvanceTime(59000);
    EXPECT_TRUE(form.SigningIn());
    EXPECT_FALSE(InfoPopupShown(app));
    app.driver.AdvanceTime(400);
    EXPECT_FALSE(form.SigningIn());
    EXPECT_TRUE(app.PopupShows("The connection to the server cannot be established.")) << app.driver.Describe();
    EXPECT_EQ(User, form.IdText());
    EXPECT_EQ(Password, form.PasswordText());
    ASSERT_TRUE(app.driver.TapAction(IMScreen::ACTION_INFO_OK));

    // The request was not withdrawn: when the server hangs up, its own failure is shown.
    silent.CloseConnections();
    EXPECT_TRUE(app.PumpUntil([&] { return InfoPopupShown(app); })) << app.driver.Describe();
    EXPECT_FALSE(IMManager::GetIsAppSignedIn());
}

TEST(LoginSilentServerTest, CancellingShowsSigningOutUntilTheSignInHasEnded)
{
    SilentServer silent;
    AppUnderTest app(SilentAt(silent));
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(form.SubmitSignIn(User, Password));
    ASSERT_TRUE(form.SigningIn());
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_CANCEL_SIGN_IN));
    EXPECT_FALSE(form.SigningIn());
    EXPECT_TRUE(form.SigningOut()) << app.driver.Describe();
    EXPECT_TRUE(IMManager::GetRequestController()->GetSignInCancel());

    silent.CloseConnections();
    ASSERT_TRUE(app.PumpUntil([&] { return !form.SigningOut(); })) << app.driver.Describe();
    EXPECT_TRUE(form.Showing());
    EXPECT_EQ(Texts{}, form.PopupTitles()) << "a cancelled sign-in shows no error:\n" << app.driver.Describe();
    EXPECT_FALSE(IMManager::GetRequestController()->GetSignInCancel());
    EXPECT_EQ(User, form.IdText());
    EXPECT_TRUE(form.SignInEnabled());
}

}  // namespace
