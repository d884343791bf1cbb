#include "screens/SettingsScreen.h"

#include "app/IMManager.h"
#include "app/PopupBuilder.h"
#include "screens/QuickTextScreenKit.h"

#include "store/PropertiesModel.h"

#include "platform/Button.h"
#include "platform/CheckButton.h"
#include "platform/Color.h"
#include "platform/Label.h"
#include "platform/ListView.h"
#include "platform/Popup.h"
#include "platform/ScrollPanel.h"

using Ixa::Graphics::Rectangle;
using namespace Ixa::Ui::Controls;

namespace {

constexpr int Margin = 20;
constexpr int LabelHeight = 44;
constexpr int LabelTextSize = 24;
constexpr int RowGap = 2;
constexpr int RowTextSize = 28;
constexpr int CheckHeight = 72;
constexpr int SectionGap = 16;
constexpr int ButtonHeight = 72;
const Ixa::Graphics::Color LabelColor(120, 170, 230);

}  // namespace

// The panel's controls go while the screen is still whole.
SettingsScreen::~SettingsScreen() { RemoveAllControls(); }

bool SettingsScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "SETTINGS_SCREEN", "IDS_OPTIONS")) {
        return false;
    }
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    panel_ = new ScrollPanel;
    panel_->Construct(GetClientAreaBounds());
    AddControl(*panel_);
    profileLabel_ = addLabel("IDS_MY_PROFILE");
    profile_ = new ListView;
    profile_->Construct(Rectangle(0, 0, 1, SettingsController::PROFILE_ROWS * SettingsController::ROW_HEIGHT));
    profile_->SetItemProvider(*this);
    profile_->AddListViewItemEventListener(*this);
    panel_->AddControl(*profile_);
    showOffline_ = addCheck("IDS_SHOW_SHOW_OFFLINE_CONTACTS", SettingsController::ACTION_SHOW_OFFLINE_ON,
        SettingsController::ACTION_SHOW_OFFLINE_OFF, properties->GetShowOfflineContactsOrPics());
    alert_ = addCheck("IDS_MELODY", SettingsController::ACTION_ALERT_ON, SettingsController::ACTION_ALERT_OFF,
        properties->GetAlertSettings() == Ixa::Base::String("melody"));
    backupLabel_ = addLabel("IDS_BACKUP");
    backup_ = addRow("IDS_BACKUP", SettingsController::ACTION_BACKUP);
    blockLabel_ = addLabel("IDS_BLOCK");
    block_ = addRow("IDS_BLOCK", SettingsController::ACTION_BLOCKED_LIST);
    signOut_ = new Button;
    signOut_->Construct(Rectangle(0, 0, 1, ButtonHeight), IMManager::GetStringFromResource("IDS_SIGN_OUT"));
    signOut_->SetActionId(SettingsController::ACTION_SIGN_OUT);
    signOut_->AddActionEventListener(*this);
    panel_->AddControl(*signOut_);
    LayoutControls();
    return true;
}

Label* SettingsScreen::addLabel(const char* textId)
{
    auto* label = new Label;
    label->Construct(Rectangle(0, 0, 1, LabelHeight), IMManager::GetStringFromResource(textId));
    label->SetTextConfig(LabelTextSize, LABEL_TEXT_STYLE_BOLD);
    label->SetTextColor(LabelColor);
    label->SetTextVerticalAlignment(Ixa::Ui::ALIGNMENT_BOTTOM);
    panel_->AddControl(*label);
    return label;
}

Button* SettingsScreen::addRow(const char* textId, int actionId)
{
    auto* row = new Button;
    row->Construct(Rectangle(0, 0, 1, SettingsController::ROW_HEIGHT), IMManager::GetStringFromResource(textId));
    row->SetTextSize(RowTextSize);
    row->SetTextHorizontalAlignment(Ixa::Ui::ALIGNMENT_LEFT);
    row->SetActionId(actionId);
    row->AddActionEventListener(*this);
    panel_->AddControl(*row);
    return row;
}

CheckButton* SettingsScreen::addCheck(const char* textId, int checkedAction, int uncheckedAction, bool checked)
{
    auto* check = new CheckButton;
    check->Construct(Rectangle(0, 0, 1, CheckHeight), CHECK_BUTTON_STYLE_MARK, IMManager::GetStringFromResource(textId));
    check->SetActionId(checkedAction, uncheckedAction);
    check->SetSelected(checked);
    check->AddActionEventListener(*this);
    panel_->AddControl(*check);
    return check;
}

void SettingsScreen::LayoutControls()
{
    if (panel_ == nullptr) {
        return;
    }
    const Rectangle client = GetClientAreaBounds();
    const int width = client.width - 2 * Margin;
    int y = 0;
    auto place = [&](Ixa::Ui::Control& control, int height, int gapAfter) {
        control.SetBounds(Margin, y, width, height);
        y += height + gapAfter;
    };
    place(*profileLabel_, LabelHeight, RowGap);
    place(*profile_, SettingsController::PROFILE_ROWS * SettingsController::ROW_HEIGHT, SectionGap);
    place(*showOffline_, CheckHeight, 0);
    place(*alert_, CheckHeight, SectionGap);
    place(*backupLabel_, LabelHeight, RowGap);
    place(*backup_, SettingsController::ROW_HEIGHT, SectionGap);
    place(*blockLabel_, LabelHeight, RowGap);
    place(*block_, SettingsController::ROW_HEIGHT, SectionGap * 2);
    place(*signOut_, ButtonHeight, SectionGap);
    // Last, so that the panel's scrolling content fits the page as now laid out.
    panel_->SetBounds(Rectangle(0, 0, client.width, client.height));
}

void SettingsScreen::updateScreen()
{
    CleanActivePopups();
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    showOffline_->SetSelected(properties->GetShowOfflineContactsOrPics());
    alert_->SetSelected(properties->GetAlertSettings() == Ixa::Base::String("melody"));
    profile_->UpdateList();
    RequestRedraw();
}

IMController* SettingsScreen::getController() { return &controller_; }

IMModel* SettingsScreen::getModel() { return nullptr; }

bool SettingsScreen::handleEvent(EVENT_T event)
{
    switch (event) {
    case EVENT_SELF_INFO_CHANGED:
        profile_->UpdateList();
        RequestRedraw();
        return true;
    case EVENT_SIGN_OUT_SUCCESS:
        IMManager::notifyEvent(EVENT_SHOW_LOGIN);
        return true;
    default:
        return false;
    }
}

void SettingsScreen::setModelDependency() {}

void SettingsScreen::ShowSignOutQuestion()
{
    Popups().Show(POPUP_SCREEN_QUESTION,
        PopupBuilder::Question(IMManager::GetStringFromResource("IDS_SIGNOUT_CONFIRMATION_POPUP"),
            SettingsController::ACTION_SIGN_OUT_YES, SettingsController::ACTION_SIGN_OUT_NO, *this));
}

void SettingsScreen::CloseSignOutQuestion()
{
    if (Popups().Close(POPUP_SCREEN_QUESTION)) {
        RequestRedraw();
    }
}
