#include "LoginForm.h"

#include "screens/LoginController.h"

namespace {

using Entries = std::vector<Ixa::Ui::ScreenProbe::Entry>;

// The entries of the popups, before the form's own.
Entries PopupEntries()
{
    Entries popups;
    for (const auto& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "Form") {
            break;
        }
        popups.push_back(entry);
    }
    return popups;
}

}  // namespace

bool LoginForm::Showing() const { return app_.Visible().form == "LOGIN_SCREEN"; }

std::optional<LoginForm::Entry> LoginForm::Field(size_t index) const
{
    size_t seen = 0;
    bool inForm = false;
    for (const auto& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        inForm = inForm || entry.kind == "Form";
        if (inForm && entry.kind == "EditField" && seen++ == index) {
            return entry;
        }
    }
    return std::nullopt;
}

std::string LoginForm::IdText() const
{
    const auto field = Field(0);
    return field ? field->text : "(no id field)";
}

std::string LoginForm::PasswordText() const
{
    const auto field = Field(1);
    return field ? field->text : "(no password field)";
}

bool LoginForm::TypeInto(size_t index, const std::string& text)
{
    const auto field = Field(index);
    return field && app_.driver.OpenKeypad(*field) && app_.driver.Type(text) && app_.driver.CloseKeypad();
}

bool LoginForm::TypeId(const std::string& text) { return TypeInto(0, text); }

bool LoginForm::TypePassword(const std::string& text) { return TypeInto(1, text); }

bool LoginForm::SubmitSignIn(const std::string& id, const std::string& password)
{
    return TypeId(id) && TypePassword(password) && app_.driver.TapAction(LoginController::ACTION_SIGN_IN);
}

bool LoginForm::Checked(int checkedActionId) const
{
    const auto check = app_.driver.FindByActionId(checkedActionId);
    return check && check->kind == "CheckButton" && check->selected;
}

std::vector<std::string> LoginForm::FooterTexts() const
{
    std::vector<std::string> texts;
    for (const auto& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "Footer") {
            texts.push_back(entry.text);
        }
    }
    return texts;
}

bool LoginForm::SignInEnabled() const
{
    for (const auto& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "Footer" && entry.actionId == LoginController::ACTION_SIGN_IN) {
            return entry.enabled;
        }
    }
    return false;
}

std::vector<std::string> LoginForm::PopupTitles() const
{
    std::vector<std::string> titles;
    for (const auto& entry : PopupEntries()) {
        if (entry.kind == "Popup") {
            titles.push_back(entry.text);
        }
    }
    return titles;
}

bool LoginForm::SigningIn() const
{
    for (const auto& entry : PopupEntries()) {
        if (entry.kind == "Button" && entry.actionId == LoginController::ACTION_CANCEL_SIGN_IN) {
            return true;
        }
    }
    return false;
}

bool LoginForm::SigningOut() const
{
    for (const auto& entry : PopupEntries()) {
        if (entry.kind == "Label" && entry.text == "Signing out...") {
            return true;
        }
    }
    return false;
}
