#include "screens/GroupScreen.h"

#include "screens/QuickTextScreenKit.h"

bool GroupScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "GROUP_SCREEN", "IDS_CREATE_GROUP")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_SAVE", GroupController::ACTION_CREATE);
    field_ = QuickTextScreenKit::AddField(*this, "IDS_GROUP_NAME", {"IDS_SAVE", GroupController::ACTION_CREATE},
        {"IDS_HIDE", GroupController::ACTION_HIDE_KEYPAD});
    return true;
}

void GroupScreen::updateScreen()
{
    CleanActivePopups();
    field_->Clear();
    RequestRedraw();
}

IMController* GroupScreen::getController() { return &controller_; }

IMModel* GroupScreen::getModel() { return nullptr; }

bool GroupScreen::handleEvent(EVENT_T) { return false; }

void GroupScreen::setModelDependency() {}

IMString GroupScreen::GetName() const { return IMString(field_->GetText()); }

void GroupScreen::ClearName() { field_->Clear(); }

void GroupScreen::HideKeypad() { field_->HideKeypad(); }
