#include "AddContactForm.h"

#include "VisibleList.h"

#include "screens/BuddyController.h"
#include "screens/GroupController.h"

#include "platform/Footer.h"
#include "platform/ScreenProbe.h"

#include <algorithm>

bool AddContactForm::Open()
{
    return app_.driver.TapAction(BuddyController::ACTION_ADD) && app_.Visible().form == "ADDCONTACT_SCREEN";
}

bool AddContactForm::TypeInField(const std::string& text) { return TypeWithKeypad(text) && app_.driver.CloseKeypad(); }

bool AddContactForm::TypeThenTapKeypadButton(const std::string& text, int actionId)
{
    return TypeWithKeypad(text) && app_.driver.TapAction(actionId);
}

bool AddContactForm::TypeWithKeypad(const std::string& text) { return app_.driver.TypeWithKeypad("EditField", text); }

std::string AddContactForm::FieldText() const
{
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "EditField") {
            return entry.text;
        }
    }
    return "(no field)";
}

bool AddContactForm::ChooseGroup(const std::string& group, bool create)
{
    if (!app_.driver.TapRow(0) || app_.Visible().form != "GROUP_LIST") {
        return false;
    }
    if (create) {
        if (!app_.driver.TapRow(0) || !TypeInField(group) || !app_.driver.TapAction(GroupController::ACTION_CREATE) ||
            !TapBack()) {
            return false;
        }
    }
    const std::vector<std::string> rows = VisibleListRows();
    const auto row = std::find(rows.begin(), rows.end(), group);
    return row != rows.end() && app_.driver.TapRow(static_cast<int>(row - rows.begin())) &&
           app_.Visible().form == "ADDCONTACT_SCREEN";
}

bool AddContactForm::TapBack() { return app_.driver.TapAction(Ixa::Ui::Controls::Footer::BACK_ACTION_ID); }
