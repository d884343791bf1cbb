#include "screens/QuickTextAddScreen.h"

#include "screens/QuickTextScreenKit.h"

bool QuickTextAddScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "QUICK_TEXT_ADD_SCREEN", "IDS_ADD_QUICK_LIST")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_SAVE", QuickTextAddController::ACTION_SAVE);
    QuickTextScreenKit::AddFooterItem(*this, "IDS_CANCEL", QuickTextAddController::ACTION_CANCEL);
    field_ = QuickTextScreenKit::AddField(*this, "IDS_ADD_QUICK_LIST", {"IDS_SAVE", QuickTextAddController::ACTION_KEYPAD_SAVE},
        {"IDS_HIDE", QuickTextAddController::ACTION_HIDE_KEYPAD});
    return true;
}

void QuickTextAddScreen::updateScreen()
{
    CleanActivePopups();
    field_->Clear();
    RequestRedraw();
}

IMController* QuickTextAddScreen::getController() { return &controller_; }

IMModel* QuickTextAddScreen::getModel() { return nullptr; }

bool QuickTextAddScreen::handleEvent(EVENT_T) { return false; }

void QuickTextAddScreen::setModelDependency() {}

Ixa::Base::String QuickTextAddScreen::GetText() const { return field_->GetText(); }

void QuickTextAddScreen::ClearText() { field_->Clear(); }

void QuickTextAddScreen::HideKeypad() { field_->HideKeypad(); }
