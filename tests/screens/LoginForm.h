// The sign-in screen as its tests read and work it, through the screen driver only: the two
// fields, the check buttons, the footer, the popups over the form, and typing into a field the
// way a user does (touch it, type on the keypad, hide the keypad).
// Threading and ownership: the test's main thread; borrows the application under test.
#pragma once

#include "support/AppUnderTest.h"

#include <optional>
#include <string>
#include <vector>

class LoginForm {
public:
    using Entry = Ixa::Ui::ScreenProbe::Entry;

    explicit LoginForm(AppUnderTest& app) : app_(app) {}

    bool Showing() const;
    std::optional<Entry> IdField() const { return Field(0); }
    std::optional<Entry> PasswordField() const { return Field(1); }
    std::string IdText() const;
    std::string PasswordText() const;
    // Touches the field, types `text` at the end of what it holds and hides the keypad.
    bool TypeId(const std::string& text);
    bool TypePassword(const std::string& text);
    // Types the id and the password into the empty fields and taps "Sign in".
    bool SubmitSignIn(const std::string& id, const std::string& password);
    bool Checked(int checkedActionId) const;
    // Texts of the footer items, in order, and whether the sign-in item can be tapped.
    std::vector<std::string> FooterTexts() const;
    bool SignInEnabled() const;
    // The popups over the form: the title of each (empty without one), topmost first.
    std::vector<std::string> PopupTitles() const;
    // Whether the signing-in popup (with its cancel button) or the signing-out popup is up.
    bool SigningIn() const;
    bool SigningOut() const;

private:
    // The n-th edit field of the form.
    std::optional<Entry> Field(size_t index) const;
    bool TypeInto(size_t index, const std::string& text);

    AppUnderTest& app_;
};
