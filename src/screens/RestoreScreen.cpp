#include "screens/RestoreScreen.h"

#include "screens/QuickTextScreenKit.h"

#include "platform/Footer.h"

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
RestoreScreen::~RestoreScreen() { RemoveAllControls(); }

bool RestoreScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "RESTORE_SCREEN", "IDS_BACKUP")) {
        return false;
    }
    list_ = QuickTextScreenKit::AddList(*this);
    QuickTextScreenKit::SetEmptyList(*list_, "IDS_NO_CONVERSATIONS", "00_noitems_no_message.png");
    list_->UpdateList();
    showFooterItems(list_->GetItemCount() > 0);
    return true;
}

void RestoreScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    showFooterItems(list_->GetItemCount() > 0);
    RequestRedraw();
}

void RestoreScreen::showFooterItems(bool shown)
{
    GetFooter()->RemoveAllItems();
    if (shown) {
        QuickTextScreenKit::AddFooterItem(*this, "IDS_PROTECTION_ON", RestoreController::ACTION_PROTECT);
        QuickTextScreenKit::AddFooterItem(*this, "IDS_DELETE", RestoreController::ACTION_DELETE);
    }
}

IMController* RestoreScreen::getController() { return &controller_; }

IMModel* RestoreScreen::getModel() { return nullptr; }

bool RestoreScreen::handleEvent(EVENT_T) { return false; }

void RestoreScreen::setModelDependency() {}
