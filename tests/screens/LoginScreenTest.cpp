// The sign-in form without a server: what it shows, the footer that follows both fields and
// the keypad, the check buttons and what they store, automatic sign-in that needs a saved
// password, the about and notices popups with the browser link, the message for an empty
// form, and the reset of everything stored.
#include "LoginForm.h"

#include "app/IMManager.h"
#include "platform/DeviceLog.h"
#include "platform/EditField.h"
#include "screens/LoginController.h"
#include "store/PropertiesModel.h"
#include "store/QuickTextModel.h"
#include "xmpp/Constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

using Texts = std::vector<std::string>;

const std::string ScreenshotDir = VELOIM_SCREENSHOT_DIR;

std::string GuideOf(const LoginForm::Entry& field)
{
    return static_cast<Ixa::Ui::Controls::EditField*>(field.control)->GetGuideText().ToUtf8();
}

TEST(LoginScreenTest, FormShowsItsControlsAndSignInNeedsBothFields)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    EXPECT_EQ((AppUnderTest::Screen{"LOGIN_SCREEN", "VeloIM"}), app.Visible());
    for (const char* text : {"ID", "Password", "Remember password", "Sign in automatically", "About", "Notices", "Reset account"}) {
        EXPECT_TRUE(app.driver.FindByText(text)) << text << " is missing:\n" << app.driver.Describe();
    }
    const auto idField = form.IdField();
    ASSERT_TRUE(idField) << app.driver.Describe();
    EXPECT_EQ("Your id, e.g. name@example.com", GuideOf(*idField));
    EXPECT_FALSE(form.Checked(LoginController::ACTION_SAVE_PASSWORD_ON));
    EXPECT_FALSE(form.Checked(LoginController::ACTION_AUTO_SIGN_IN_ON));
    EXPECT_EQ(Texts{"Sign in"}, form.FooterTexts());
    EXPECT_FALSE(form.SignInEnabled());

    ASSERT_TRUE(form.TypeId("alice"));
    EXPECT_FALSE(form.SignInEnabled()) << "the password is still empty";
    ASSERT_TRUE(form.TypePassword("secret"));
    EXPECT_TRUE(form.SignInEnabled());
    EXPECT_EQ("secret", form.PasswordText());
    std::filesystem::create_directories(ScreenshotDir);
    EXPECT_TRUE(app.driver.SaveScreenshot(ScreenshotDir + "/login-form.png"));

    app.driver.Rotate(true);
    const auto wide = form.IdField();
    ASSERT_TRUE(wide);
    EXPECT_GT(wide->bounds.width, 480) << "the form is laid out again for the wider screen";
    EXPECT_LE(wide->bounds.x + wide->bounds.width, 800);
    EXPECT_TRUE(app.driver.SaveScreenshot(ScreenshotDir + "/login-landscape.png"));
    app.driver.Rotate(false);

    ASSERT_TRUE(form.TypeId(std::string(120, 'x')));
    EXPECT_EQ(std::string("alice") + std::string(95, 'x'), form.IdText()) << "the id field takes 100 characters";
}

TEST(LoginScreenTest, KeypadOverTheFormAddsHideToTheFooterHidingStoresTheIdAndSigningInTakesItAlong)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    const auto idField = form.IdField();
    ASSERT_TRUE(idField);
    ASSERT_TRUE(app.driver.OpenKeypad(*idField));
    ASSERT_TRUE(app.driver.Type("bob"));
    EXPECT_TRUE(app.driver.KeypadShows());
    // The field being typed in stays above the keypad.
    const auto entries = Ixa::Ui::ScreenProbe::ListEntries();
    int keypadTop = 800;
    for (const auto& entry : entries) {
        keypadTop = entry.kind == "Keypad" ? std::min(keypadTop, entry.bounds.y) : keypadTop;
    }
    const auto typedIn = form.IdField();
    ASSERT_TRUE(typedIn);
    EXPECT_LE(typedIn->bounds.y + typedIn->bounds.height, keypadTop);
    EXPECT_EQ((Texts{"Sign in", "Hide"}), form.FooterTexts());
    EXPECT_TRUE(app.driver.SaveScreenshot(ScreenshotDir + "/login-keypad.png"));

    // The keypad covers the footer here, so its hide item is pressed through the controller.
    lc.loginControllerProcessAction(LoginController::ACTION_HIDE_KEYPAD);
    app.driver.PumpUntilIdle();
    EXPECT_FALSE(app.driver.KeypadShows());
    EXPECT_EQ(Texts{"Sign in"}, form.FooterTexts());
    EXPECT_EQ("bob@" + Constants::DOMAIN.ToUtf8(), IMManager::GetPropertiesModel()->GetUserName().ToUtf8()) << "stored normalised";
    EXPECT_EQ("", IMManager::GetPropertiesModel()->GetEmailId().ToUtf8()) << "typing is no sign-in";

    // The keypad's own hide key gives the footer back as well.
    ASSERT_TRUE(app.driver.OpenKeypad(*form.PasswordField()));
    EXPECT_EQ((Texts{"Sign in", "Hide"}), form.FooterTexts());
    ASSERT_TRUE(app.driver.CloseKeypad());
    EXPECT_EQ(Texts{"Sign in"}, form.FooterTexts());

    // An automatic sign-in goes on while the user types: signed in with the keypad open, the
    // form takes it along rather than leaving it over the buddy list.
    ASSERT_TRUE(app.driver.OpenKeypad(*form.PasswordField()));
    IMManager::notifyEvent(EVENT_SIGNED_IN, static_cast<void*>(nullptr));
    app.driver.PumpUntilIdle();
    ASSERT_EQ("BUDDY_SCREEN", app.Visible().form);
    EXPECT_FALSE(app.driver.KeypadShows()) << app.driver.Describe();
}

TEST(LoginScreenTest, CheckButtonsStoreTheAccountAndAutoSignInNeedsASavedPassword)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(form.TypeId("alice"));
    ASSERT_TRUE(form.TypePassword("secret"));
    PropertiesModel* properties = IMManager::GetPropertiesModel();

    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_AUTO_SIGN_IN_ON));
    EXPECT_TRUE(form.Checked(LoginController::ACTION_AUTO_SIGN_IN_ON));
    EXPECT_TRUE(form.Checked(LoginController::ACTION_SAVE_PASSWORD_ON)) << "auto sign-in saves the password";
    EXPECT_TRUE(properties->GetIsAutoSignIn());
    EXPECT_TRUE(properties->GetSavePassword());
    EXPECT_EQ("secret", properties->GetPassword().ToUtf8());
    EXPECT_EQ("alice@" + Constants::DOMAIN.ToUtf8(), properties->GetUserName().ToUtf8()) << "stored normalised";

    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_SAVE_PASSWORD_OFF));
    EXPECT_FALSE(form.Checked(LoginController::ACTION_SAVE_PASSWORD_ON));
    EXPECT_FALSE(form.Checked(LoginController::ACTION_AUTO_SIGN_IN_ON));
    EXPECT_FALSE(properties->GetSavePassword());
    EXPECT_FALSE(properties->GetIsAutoSignIn());
    EXPECT_EQ("", properties->GetPassword().ToUtf8());

    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_SAVE_PASSWORD_ON));
    EXPECT_TRUE(properties->GetSavePassword());
    EXPECT_EQ("secret", properties->GetPassword().ToUtf8());

    // A stored id with auto sign-in but no stored password does not sign in at the next start.
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_SAVE_PASSWORD_OFF));
    properties->SetIsAutoSignIn(true);
    ASSERT_EQ("", properties->GetPassword().ToUtf8());
    ASSERT_TRUE(app.Relaunch());
    EXPECT_TRUE(form.Showing());
    EXPECT_FALSE(form.SigningIn());
    EXPECT_EQ("alice@" + Constants::DOMAIN.ToUtf8(), form.IdText());
    EXPECT_EQ("", form.PasswordText());
    EXPECT_TRUE(form.Checked(LoginController::ACTION_AUTO_SIGN_IN_ON));
}

TEST(LoginScreenTest, AboutAndNoticesPopupsAndTheNoticeLinkOpensTheBrowser)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_ABOUT));
    EXPECT_EQ(Texts{"About VeloIM"}, form.PopupTitles());
    EXPECT_TRUE(app.PopupShows("Powered by VeloIM"));
    EXPECT_TRUE(app.PopupShows("Version 1.0.0"));
    EXPECT_TRUE(app.driver.SaveScreenshot(ScreenshotDir + "/login-about.png"));
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_ABOUT_OK));
    EXPECT_EQ(Texts{}, form.PopupTitles());

    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_NOTICES));
    EXPECT_EQ(Texts{"Notices"}, form.PopupTitles());
    const auto notice = app.driver.FindByText("For more information visit http://www.example.com/veloim/legal");
    ASSERT_TRUE(notice && notice->kind == "TextBox") << app.driver.Describe();
    EXPECT_TRUE(app.driver.SaveScreenshot(ScreenshotDir + "/login-notices.png"));
    Ixa::System::DeviceLog::Clear();
    ASSERT_TRUE(app.driver.TapTextBoxLink());
    EXPECT_EQ(Texts{"appcontrol ixa.appcontrol.BROWSER ixa.appcontrol.operation.DEFAULT url:http://www.example.com/veloim/legal"},
        Ixa::System::DeviceLog::GetEntries());
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_NOTICES_OK));
    EXPECT_EQ(Texts{}, form.PopupTitles());

    lc.loginControllerProcessAction(LoginController::ACTION_LEGAL_NOTICES);
    app.driver.PumpUntilIdle();
    EXPECT_EQ(Texts{"Legal notices"}, form.PopupTitles());
}

TEST(LoginScreenTest, SigningInWithAnEmptyFieldOnlyAsksForBoth)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(form.TypeId("alice"));
    lc.loginControllerProcessAction(LoginController::ACTION_SIGN_IN);
    app.driver.PumpUntilIdle();
    EXPECT_TRUE(app.PopupShows("Please enter your user id and password."));
    EXPECT_FALSE(form.SigningIn());
    EXPECT_EQ("", IMManager::GetPropertiesModel()->GetPassword().ToUtf8());
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_MESSAGE_OK));
    EXPECT_FALSE(app.PopupShows("Please enter"));
}

TEST(LoginScreenTest, ResetAsksFirstThenEmptiesTheFormAndEverythingStored)
{
    AppUnderTest app;
    ASSERT_TRUE(app.Launched());
    LoginForm form(app);
    ASSERT_TRUE(form.TypeId("alice"));
    ASSERT_TRUE(form.TypePassword("secret"));
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_AUTO_SIGN_IN_ON));
    Ixa::Base::String phrase("See you soon");
    ASSERT_TRUE(QuickTextModel::GetInstance()->AddNewText(phrase));
    PropertiesModel* properties = IMManager::GetPropertiesModel();

    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_RESET));
    EXPECT_TRUE(app.PopupShows("Delete all stored data of this account?"));
    EXPECT_TRUE(app.driver.FindByActionId(LoginController::ACTION_RESET_YES));
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_RESET_NO));
    EXPECT_FALSE(app.PopupShows("Delete all stored data"));
    EXPECT_EQ("alice", form.IdText());
    EXPECT_EQ("alice@" + Constants::DOMAIN.ToUtf8(), properties->GetUserName().ToUtf8());

    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_RESET));
    ASSERT_TRUE(app.driver.TapAction(LoginController::ACTION_RESET_YES));
    EXPECT_FALSE(app.PopupShows("Delete all stored data"));
    EXPECT_EQ("", form.IdText());
    EXPECT_EQ("", form.PasswordText());
    EXPECT_FALSE(form.Checked(LoginController::ACTION_SAVE_PASSWORD_ON));
    EXPECT_FALSE(form.Checked(LoginController::ACTION_AUTO_SIGN_IN_ON));
    EXPECT_FALSE(form.SignInEnabled());
    EXPECT_EQ("", properties->GetUserName().ToUtf8());
    EXPECT_EQ("", properties->GetPassword().ToUtf8());
    EXPECT_FALSE(properties->GetSavePassword());
    EXPECT_FALSE(properties->GetIsAutoSignIn());
    EXPECT_TRUE(QuickTextModel::GetInstance()->GetAllEntries().empty());
}

}  // namespace
