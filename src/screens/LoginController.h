// What the sign-in screen's controls do: it keeps the typed account in step with the account
// properties, signs in with the account id normalised (the stores change hands only once
// another account has signed in, see IMManager::OnSignInSuccess), cancels a
// running sign-in, resets all stored data, opens the legal-notice address in the browser and
// switches the footer while the on-screen keypad covers the form. The screen builds and shows;
// this decides.
// There is one instance, `lc`, which the sign-in screen answers from getController().
// Threading: user-interface thread. Ownership: borrows the screen it was attached to; owns the
// initial presence of the last sign-in it requested (the request keeps only a pointer to it).
#pragma once

#include "app/IMController.h"
#include "engine/PresenceStatus.h"
#include "foundation/IMString.h"

#include <memory>

class LoginScreen;

class LoginController : public IMController {
public:
    enum Action {
        ACTION_SIGN_IN = 101,
        ACTION_SAVE_PASSWORD_ON = 110,
        ACTION_SAVE_PASSWORD_OFF = 111,
        ACTION_AUTO_SIGN_IN_ON = 112,
        ACTION_AUTO_SIGN_IN_OFF = 113,
        ACTION_MESSAGE_OK = 116,
        ACTION_RESET_YES = 118,
        ACTION_RESET_NO = 119,
        ACTION_HIDE_KEYPAD = 121,
        ACTION_ABOUT_OK = 124,
        ACTION_NOTICES_OK = 125,
        ACTION_LEGAL_NOTICES = 128,
        ACTION_ABOUT = 129,
        ACTION_NOTICES = 130,
        ACTION_RESET = 131,
        ACTION_CANCEL_SIGN_IN = 133,
    };
    static constexpr int SIGN_IN_TIMEOUT_MS = 60000;

    // The screen the controller acts on; null when it goes (which also frees the presence).
    void Attach(LoginScreen* screen);

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void OnTextValueChanged(const Control& source, IMView* view) override;
    void processOverlayControlOpened(const Control& source, IMView* view) override;
    void processOverlayControlClosed(const Control& source, IMView* view) override;
    void processOtherControlSelected(const Control& source, IMView* view) override;
    void processTimerExpired(Ixa::Base::Runtime::Timer& timer, IMView* view) override;
    void processOnLinkClicked(Control& source, const Ixa::Base::String& text, Ixa::Graphics::LinkType type,
        const Ixa::Base::String& link, IMView* view) override;

    void loginControllerProcessAction(int actionId);
    void LayoutControls();
    // Shows the signing-in popup for the typed id and starts the 60-second timer.
    void ShowSignInPopup();
    // Stores the typed account, normalised, and asks the request controller to sign in with it.
    void SignIn();
    bool GetOverLayStatus() const;
    void SetEnabledFooter();
    void SetFooterItemsForOverlay(bool overlayOpen);

    // The last values typed or stored.
    IMString username;
    IMString password;

private:
    void copyFields();
    void storeAccountId(const Ixa::Base::String& id);
    void closeOverlay();
    void changeSavePassword(bool on);
    void changeAutoSignIn(bool on);
    void resetAccount();
    void cancelSignIn();
    PresenceStatus* initialPresence(bool anotherAccount);

    LoginScreen* screen_ = nullptr;
    bool overlay_ = false;
    std::unique_ptr<PresenceStatus> initialPresence_;
};

extern LoginController lc;
