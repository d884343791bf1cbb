// The sign-in screen "LOGIN_SCREEN": the account id and password fields with their labels,
// the save-password and auto-sign-in check buttons and the about, notices and reset buttons in
// a scroll panel, the sign-in footer, the signing-in popup (animation, text, cancel) with its
// 60-second timer, the signing-out popup and the screen's own popups (reset question, message,
// about, notices). The screen builds, lays out and shows; the global controller `lc` decides
// what the user's actions do and calls back here.
// Threading: user-interface thread. Ownership: the form owns the controls in it; the screen
// owns the signing popups (with their animations) and the sign-in timer, and its other popups
// live in the base's popup keeper; `lc` is borrowed.
#pragma once

#include "app/IMScreen.h"

#include "platform/Timer.h"

#include <memory>

namespace Ixa::Ui::Controls {
class Animation;
class Button;
class CheckButton;
class EditField;
class Label;
class Popup;
class ScrollPanel;
}  // namespace Ixa::Ui::Controls

class LoginScreen : public IMScreen {
public:
    enum LoginPopupKind {
        POPUP_RESET_QUESTION = 4,
        POPUP_MESSAGE = 5,
        POPUP_ABOUT = 6,
        POPUP_NOTICES = 7,
    };
    // Sent to the screen itself by an automatic sign-in at start, so that the signing-in
    // popup is shown once the screen can draw.
    static constexpr int AUTO_SIGN_IN_EVENT = 8999;

    LoginScreen();
    ~LoginScreen() override;

    bool Initialize() override;
    Ixa::result OnInitializing() override;
    Ixa::result OnTerminating() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;
    void onForeground() override;
    void onBackground() override;
    void OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args) override;

    // Enables the sign-in item exactly while both fields hold text.
    void SetEnabledFooter();
    // The footer for the keypad state the controller reports.
    void SetFooterItems();
    void InitAndShowPopup(int kind, const Ixa::Base::String& text);
    void DeletePopup(int kind);
    bool HasLoginPopup(int kind) const;
    // Deletes the signing-in and signing-out popups and the timer.
    void CleanUpLoginScreen();
    // Places the controls for the form's current client area.
    void LayoutControls();
    // While the overlay keypad is open the panel ends above it, with `field` in view; closed,
    // the panel has the whole client area again.
    void FitPanelAboveKeypad(const Ixa::Ui::Control& field);
    void RestorePanel();

    void ShowSigningInPopup(const Ixa::Base::String& text);
    // Also ends the signing-in state.
    void HideSigningInPopup();
    void ShowSigningOutPopup();
    void HideSigningOutPopup();
    bool IsSigningIn() const { return isSigningIn; }
    Ixa::Base::Runtime::Timer& SignInTimer() { return signInTimer; }

    Ixa::Ui::Controls::EditField& IdField() { return *idField; }
    Ixa::Ui::Controls::EditField& PasswordField() { return *passwordField; }
    Ixa::Ui::Controls::CheckButton& SavePasswordButton() { return *savePasswordButton; }
    Ixa::Ui::Controls::CheckButton& AutoSignInButton() { return *autoSignInButton; }

private:
    // The form's client area, in the form's own child coordinates.
    Ixa::Graphics::Rectangle PanelArea() const;
    void buildHeader();
    void buildPanel();
    Ixa::Ui::Controls::Label* addLabel(const char* textId);
    Ixa::Ui::Controls::EditField* addField(const char* labelId, bool password);
    Ixa::Ui::Controls::CheckButton* addCheckButton(const char* textId, int checkedAction, int uncheckedAction, bool checked);
    Ixa::Ui::Controls::Button* addButton(const char* textId, int actionId);
    // The progress animation of the signing popups, added to `popup`.
    Ixa::Ui::Controls::Animation* addProgressAnimation(Ixa::Ui::Controls::Popup& popup);
    void buildSigningInPopup();
    void buildSigningOutPopup();
    std::unique_ptr<Ixa::Ui::Controls::Popup> buildTitledPopup(int kind, const Ixa::Base::String& text);
    void stopSigningIn();

    Ixa::Ui::Controls::ScrollPanel* panel = nullptr;
    Ixa::Ui::Controls::Label* idLabel = nullptr;
    Ixa::Ui::Controls::EditField* idField = nullptr;
    Ixa::Ui::Controls::Label* passwordLabel = nullptr;
    Ixa::Ui::Controls::EditField* passwordField = nullptr;
    Ixa::Ui::Controls::CheckButton* savePasswordButton = nullptr;
    Ixa::Ui::Controls::CheckButton* autoSignInButton = nullptr;
    Ixa::Ui::Controls::Button* aboutButton = nullptr;
    Ixa::Ui::Controls::Button* noticesButton = nullptr;
    Ixa::Ui::Controls::Button* resetButton = nullptr;

    std::unique_ptr<Ixa::Ui::Controls::Popup> signingInPopup;
    Ixa::Ui::Controls::ScrollPanel* signingInTextPanel = nullptr;
    Ixa::Ui::Controls::Label* signingInLabel = nullptr;
    Ixa::Ui::Controls::Button* cancelButton = nullptr;
    Ixa::Ui::Controls::Animation* signingInAnimation = nullptr;
    std::unique_ptr<Ixa::Ui::Controls::Popup> signingOutPopup;
    Ixa::Ui::Controls::Animation* signingOutAnimation = nullptr;
    Ixa::Base::Runtime::Timer signInTimer;
    bool isSigningIn = false;
};
