#include "screens/PersonalMessageScreen.h"

#include "app/IMManager.h"
#include "engine/PresenceStatus.h"
#include "screens/QuickTextScreenKit.h"

bool PersonalMessageScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "PERSONAL_MESSAGE_SCREEN", "IDS_PERSONAL_MESSAGE")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_SAVE", PersonalMessageController::ACTION_SAVE);
    field_ = QuickTextScreenKit::AddField(*this, "IDS_STATUS_TEXT",
        {"IDS_SAVE", PersonalMessageController::ACTION_KEYPAD_SAVE},
        {"IDS_HIDE", PersonalMessageController::ACTION_KEYPAD_HIDE});
    field_->SetLimitLength(MESSAGE_LIMIT);
    showMessage();
    return true;
}

void PersonalMessageScreen::updateScreen()
{
    CleanActivePopups();
    showMessage();
    RequestRedraw();
}

void PersonalMessageScreen::showMessage()
{
    PresenceStatus self = IMManager::CopySelfStatus();
    field_->SetText(self.GetCustomStatusMessage());
}

IMController* PersonalMessageScreen::getController() { return &controller_; }

IMModel* PersonalMessageScreen::getModel() { return nullptr; }

bool PersonalMessageScreen::handleEvent(EVENT_T) { return false; }

void PersonalMessageScreen::setModelDependency() {}

Ixa::Base::String PersonalMessageScreen::GetMessage() const { return field_->GetText(); }

void PersonalMessageScreen::HideKeypad()
{
    field_->HideKeypad();
    field_->RequestRedraw();
    RequestRedraw();
}
