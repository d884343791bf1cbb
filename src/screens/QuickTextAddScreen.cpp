#include "screens/QuickTextAddScreen.h"

#include "app/IMManager.h"
#include "screens/QuickTextScreenKit.h"

namespace {

constexpr int Margin = 16;
constexpr int FieldHeight = 72;

}  // namespace

bool QuickTextAddScreen::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (!QuickTextScreenKit::ConstructForm(*this, "QUICK_TEXT_ADD_SCREEN", "IDS_ADD_QUICK_LIST")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_SAVE", QuickTextAddController::ACTION_SAVE);
    QuickTextScreenKit::AddFooterItem(*this, "IDS_CANCEL", QuickTextAddController::ACTION_CANCEL);
    const Ixa::Graphics::Rectangle client = GetClientAreaBounds();
    field_ = new EditField;
    field_->Construct(Ixa::Graphics::Rectangle(Margin, Margin, client.width - 2 * Margin, FieldHeight));
    field_->SetGuideText(IMManager::GetStringFromResource("IDS_ADD_QUICK_LIST"));
    field_->SetOverlayKeypadCommandButton(Ixa::Ui::COMMAND_BUTTON_POSITION_LEFT, IMManager::GetStringFromResource("IDS_SAVE"),
        QuickTextAddController::ACTION_KEYPAD_SAVE);
    field_->SetOverlayKeypadCommandButton(Ixa::Ui::COMMAND_BUTTON_POSITION_RIGHT, IMManager::GetStringFromResource("IDS_HIDE"),
        QuickTextAddController::ACTION_HIDE_KEYPAD);
    field_->AddActionEventListener(*this);
    AddControl(*field_);
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
