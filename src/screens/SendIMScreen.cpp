#include "screens/SendIMScreen.h"

#include "screens/QuickTextScreenKit.h"

bool SendIMScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "SENDIM_SCREEN", "IDS_SEND_IM_TO")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_OK", SendIMController::ACTION_OPEN);
    field_ = QuickTextScreenKit::AddField(*this, "IDS_EMAIL_ID", {"IDS_OK", SendIMController::ACTION_OPEN},
        {"IDS_OVERLAY_CANCEL", SendIMController::ACTION_KEYPAD_CANCEL}, Ixa::Ui::Controls::EDIT_FIELD_STYLE_EMAIL);
    field_->SetLimitLength(EMAIL_MAX_LENGTH);
    return true;
}

void SendIMScreen::updateScreen()
{
    CleanActivePopups();
    ClearAddress();
    RequestRedraw();
}

IMController* SendIMScreen::getController() { return &controller_; }

IMModel* SendIMScreen::getModel() { return nullptr; }

bool SendIMScreen::handleEvent(EVENT_T) { return false; }

void SendIMScreen::setModelDependency() {}

IMString SendIMScreen::GetAddress() const { return IMString(field_->GetText()); }

void SendIMScreen::ClearAddress()
{
    field_->Clear();
    field_->RequestRedraw();
}

void SendIMScreen::HideKeypad() { field_->HideKeypad(); }
