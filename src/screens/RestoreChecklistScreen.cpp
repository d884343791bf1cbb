#include "screens/RestoreChecklistScreen.h"

#include "screens/QuickTextScreenKit.h"
#include "screens/SelectAllList.h"

RestoreChecklistScreen::RestoreChecklistScreen(const char* formName, const char* titleId, const char* actionTextId,
    std::unique_ptr<RestoreChecklistController> controller)
    : formName_(formName)
    , titleId_(titleId)
    , actionTextId_(actionTextId)
    , controller_(std::move(controller))
{
}

// The list hands its rows back to the controller as it goes, so the controls go first.
RestoreChecklistScreen::~RestoreChecklistScreen() { RemoveAllControls(); }

bool RestoreChecklistScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, formName_, titleId_)) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, actionTextId_, RestoreChecklistController::ACTION_DONE);
    QuickTextScreenKit::AddFooterItem(*this, "IDS_CANCEL", RestoreChecklistController::ACTION_CANCEL);
    int listTop = 0;
    if (controller_->SelectsAll()) {
        selection_ = QuickTextScreenKit::AddSelectionLabel(*this);
        listTop = QuickTextScreenKit::SELECTION_BOTTOM;
    }
    list_ = QuickTextScreenKit::AddList(*this, listTop);
    updateScreen();
    return true;
}

void RestoreChecklistScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    controller_->CheckInitialRows(*list_);
    ShowSelection(SelectAllList::CheckedCount(*list_));
    RequestRedraw();
}

void RestoreChecklistScreen::ShowSelection(int checked)
{
    if (selection_ != nullptr) {
        QuickTextScreenKit::ShowSelection(*this, *selection_, checked);
    }
}

IMController* RestoreChecklistScreen::getController() { return controller_.get(); }

IMModel* RestoreChecklistScreen::getModel() { return nullptr; }

bool RestoreChecklistScreen::handleEvent(EVENT_T) { return false; }

void RestoreChecklistScreen::setModelDependency() {}
