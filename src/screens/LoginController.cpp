#include "screens/LoginController.h"

#include "app/IMManager.h"
#include "engine/UserId.h"
#include "screens/LoginScreen.h"
#include "store/ContactModel.h"
#include "store/PropertiesModel.h"

#include "platform/AppControl.h"
#include "platform/AppManager.h"
#include "platform/ArrayList.h"
#include "platform/CheckButton.h"
#include "platform/EditField.h"
#include "platform/Integer.h"
#include "platform/Mutex.h"

LoginController lc;

namespace {

constexpr int FirstLoginAction = LoginController::ACTION_SIGN_IN;
constexpr int LastLoginAction = LoginController::ACTION_CANCEL_SIGN_IN;


}  // namespace

void LoginController::Attach(LoginScreen* screen)
{
    screen_ = screen;
    overlay_ = false;
    if (screen == nullptr) {
        initialPresence_.reset();
    }
}

void LoginController::processAction(const Control&, int actionId, IMView*) { loginControllerProcessAction(actionId); }

void LoginController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) { LayoutControls(); }

void LoginController::LayoutControls()
{
    if (screen_ != nullptr) {
        screen_->LayoutControls();
    }
}

void LoginController::OnTextValueChanged(const Control&, IMView*)
{
    copyFields();
    SetEnabledFooter();
}

void LoginController::processOverlayControlOpened(const Control& source, IMView*)
{
    SetFooterItemsForOverlay(true);
    if (screen_ != nullptr) {
        screen_->FitPanelAboveKeypad(source);
    }
}

void LoginController::processOverlayControlClosed(const Control&, IMView*)
{
    SetFooterItemsForOverlay(false);
    if (screen_ != nullptr) {
        screen_->RestorePanel();
    }
}

void LoginController::processOtherControlSelected(const Control&, IMView*)
{
    if (screen_ == nullptr) {
        return;
    }
    copyFields();
    storeAccountId(username);
    if (screen_->SavePasswordButton().IsSelected()) {
        IMManager::GetPropertiesModel()->SetPassword(password);
    }
    closeOverlay();
}

void LoginController::processTimerExpired(Ixa::Base::Runtime::Timer&, IMView*)
{
    auto* list = new Ixa::Base::Collection::ArrayList;
    list->Construct(10);
    list->Add(new Ixa::Base::Integer(0));
    list->Add(new Ixa::Base::String(IMManager::GetStringFromResource("IDS_IM_POP_CONNECTION_TO_THE_SERVER_CANNOT_BE_ESTABLISHED")));
    IMManager::notifyEvent(EVENT_SIGN_IN_ERROR, list);
}

void LoginController::processOnLinkClicked(
    Control&, const Ixa::Base::String&, Ixa::Graphics::LinkType, const Ixa::Base::String& link, IMView*)
{
    std::unique_ptr<Ixa::App::AppControl> browser(
        Ixa::App::AppManager::FindAppControlN("ixa.appcontrol.BROWSER", "ixa.appcontrol.operation.DEFAULT"));
    if (browser == nullptr) {
        return;
    }
    Ixa::Base::String url("url:");
    url += link;
    Ixa::Base::Collection::ArrayList arguments;
    arguments.Construct(1);
    arguments.Add(&url);
    browser->Start(&arguments);
    arguments.RemoveAll(false);
}

void LoginController::loginControllerProcessAction(int actionId)
{
    if (screen_ == nullptr || actionId < FirstLoginAction || actionId > LastLoginAction) {
        return;
    }
    switch (actionId) {
    case ACTION_SIGN_IN:
        if (screen_->IdField().GetText().IsEmpty() || screen_->PasswordField().GetText().IsEmpty()) {
            screen_->InitAndShowPopup(LoginScreen::POPUP_MESSAGE, IMManager::GetStringFromResource("IDS_ENTER_USERNAME_PASSWD"));
            return;
        }
        closeOverlay();
        ShowSignInPopup();
        SignIn();
        break;
    case ACTION_SAVE_PASSWORD_ON:
    case ACTION_SAVE_PASSWORD_OFF:
        changeSavePassword(actionId == ACTION_SAVE_PASSWORD_ON);
        break;
    case ACTION_AUTO_SIGN_IN_ON:
    case ACTION_AUTO_SIGN_IN_OFF:
        changeAutoSignIn(actionId == ACTION_AUTO_SIGN_IN_ON);
        break;
    case ACTION_MESSAGE_OK:
        screen_->DeletePopup(LoginScreen::POPUP_MESSAGE);
        break;
    case ACTION_RESET_YES:
        resetAccount();
        break;
    case ACTION_RESET_NO:
        screen_->DeletePopup(LoginScreen::POPUP_RESET_QUESTION);
        break;
    case ACTION_HIDE_KEYPAD:
        storeAccountId(username);
        if (screen_->SavePasswordButton().IsSelected()) {
            IMManager::GetPropertiesModel()->SetPassword(password);
        }
        closeOverlay();
        break;
    case ACTION_ABOUT_OK:
        screen_->DeletePopup(LoginScreen::POPUP_ABOUT);
        break;
    case ACTION_NOTICES_OK:
        screen_->DeletePopup(LoginScreen::POPUP_NOTICES);
        break;
    case ACTION_LEGAL_NOTICES:
        screen_->InitAndShowPopup(LoginScreen::POPUP_NOTICES, IMManager::GetStringFromResource("IDS_LEGAL_NOTICES"));
        break;
    case ACTION_ABOUT:
        screen_->InitAndShowPopup(LoginScreen::POPUP_ABOUT, IMManager::GetStringFromResource("IDS_ABOUT_TEXT"));
        break;
    case ACTION_NOTICES:
        screen_->InitAndShowPopup(LoginScreen::POPUP_NOTICES, IMManager::GetStringFromResource("IDS_NOTICES"));
        break;
    case ACTION_RESET:
        screen_->InitAndShowPopup(LoginScreen::POPUP_RESET_QUESTION, IMManager::GetStringFromResource("IDS_RESET_ACCOUNT_CONFIRMATION"));
        break;
    case ACTION_CANCEL_SIGN_IN:
        cancelSignIn();
        break;
    default:
        break;
    }
}

void LoginController::changeSavePassword(bool on)
{
    closeOverlay();
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    properties->SavePassword(on);
    if (on) {
        properties->SetPassword(screen_->PasswordField().GetText());
    } else {
        // Without a saved password there is nothing to sign in with at start.
        screen_->AutoSignInButton().SetSelected(false);
    }
    storeAccountId(screen_->IdField().GetText());
    screen_->Draw();
}

void LoginController::changeAutoSignIn(bool on)
{
    closeOverlay();
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    properties->SetIsAutoSignIn(on);
    storeAccountId(screen_->IdField().GetText());
    if (on) {
        // Signing in at start needs the password, so it is saved as well.
        screen_->SavePasswordButton().SetSelected(true);
        properties->SetPassword(screen_->PasswordField().GetText());
    }
    screen_->Draw();
}

void LoginController::resetAccount()
{
    screen_->IdField().Clear();
    screen_->PasswordField().Clear();
    screen_->SavePasswordButton().SetSelected(false);
    screen_->AutoSignInButton().SetSelected(false);
    IMManager::ResetStores(true);
    copyFields();
    SetEnabledFooter();
    screen_->DeletePopup(LoginScreen::POPUP_RESET_QUESTION);
}

void LoginController::ShowSignInPopup()
{
    if (screen_ == nullptr) {
        return;
    }
    const Ixa::Base::String text = IMManager::GetFormatString(IMManager::GetStringFromResource("IDS_IS_SIGNING_IN"), screen_->IdField().GetText());
    screen_->SignInTimer().Start(SIGN_IN_TIMEOUT_MS);
    screen_->ShowSigningInPopup(text);
}

// The stores are left as they are until the server has accepted the account: only then,
// and only for an account other than theirs, are they reset (IMManager::OnSignInSuccess).
void LoginController::SignIn()
{
    if (screen_ == nullptr) {
        return;
    }
    copyFields();
    IMString account = UserId::normalised(username);
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    properties->SetUserName(account);
    properties->SetEmailId(account);
    properties->SetPassword(password);
    const bool anotherAccount = properties->IsResetDBRequired();
    if (!anotherAccount) {
        IMManager::GetContactModel()->ClearPresenceInfoForAllUsers();
    }
    GtalkRequestController* requests = IMManager::GetRequestController();
    requests->SetUsername(&account);
    requests->SetPassword(&password);
    requests->SignIn(initialPresence(anotherAccount));
}

// Another account starts with the default status: the stored message is the holder's.
PresenceStatus* LoginController::initialPresence(bool anotherAccount)
{
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    const bool invisible = properties->GetIsSignInInvisible();
    Ixa::Base::String message = anotherAccount ? Ixa::Base::String() : properties->GetCustomMessage();
    initialPresence_ = std::make_unique<PresenceStatus>(invisible ? -1 : 0, message, false, 0);
    initialPresence_->SetInvisible(invisible);
    IMManager::PrepareSelfStatusForSignIn(invisible, message);
    return initialPresence_.get();
}

void LoginController::cancelSignIn()
{
    screen_->HideSigningInPopup();
    screen_->ShowSigningOutPopup();
    screen_->Draw();
    GtalkRequestController* requests = IMManager::GetRequestController();
    Ixa::Base::Runtime::Mutex* mutex = requests->GetMutex();
    if (mutex != nullptr) {
        mutex->Acquire();
    }
    if (IMManager::GetIsAppSignedIn()) {
        screen_->HideSigningOutPopup();
    } else {
        requests->SetSignInCancel(true);
    }
    if (mutex != nullptr) {
        mutex->Release();
    }
}

bool LoginController::GetOverLayStatus() const { return overlay_; }

void LoginController::SetEnabledFooter()
{
    if (screen_ != nullptr) {
        screen_->SetEnabledFooter();
    }
}

void LoginController::SetFooterItemsForOverlay(bool overlayOpen)
{
    overlay_ = overlayOpen;
    if (screen_ != nullptr) {
        screen_->SetFooterItems();
    }
}

void LoginController::copyFields()
{
    username = screen_->IdField().GetText();
    password = screen_->PasswordField().GetText();
}

void LoginController::storeAccountId(const Ixa::Base::String& id)
{
    IMManager::GetPropertiesModel()->SetUserName(UserId::normalised(id));
}

void LoginController::closeOverlay()
{
    screen_->IdField().HideKeypad();
    screen_->PasswordField().HideKeypad();
    if (overlay_) {
        SetFooterItemsForOverlay(false);
    }
    screen_->RestorePanel();
}
