#include "screens/GroupScreen.h"

#include "app/IMManager.h"
#include "screens/QuickTextScreenKit.h"

namespace {

constexpr int Margin = 16;
constexpr int FieldHeight = 72;

}  // namespace

bool GroupScreen::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (!QuickTextScreenKit::ConstructForm(*this, "GROUP_SCREEN", "IDS_CREATE_GROUP")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_SAVE", GroupController::ACTION_CREATE);
    const Ixa::Graphics::Rectangle client = GetClientAreaBounds();
    field_ = new EditField;
    field_->Construct(Ixa::Graphics::Rectangle(Margin, Margin, client.width - 2 * Margin, FieldHeight));
    field_->SetGuideText(IMManager::GetStringFromResource("IDS_GROUP_NAME"));
    field_->SetOverlayKeypadCommandButton(Ixa::Ui::COMMAND_BUTTON_POSITION_LEFT, IMManager::GetStringFromResource("IDS_SAVE"),
        GroupController::ACTION_CREATE);
    field_->SetOverlayKeypadCommandButton(Ixa::Ui::COMMAND_BUTTON_POSITION_RIGHT, IMManager::GetStringFromResource("IDS_HIDE"),
        GroupController::ACTION_HIDE_KEYPAD);
    field_->AddActionEventListener(*this);
    AddControl(*field_);
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
