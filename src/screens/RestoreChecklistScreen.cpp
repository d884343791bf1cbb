#include "screens/RestoreChecklistScreen.h"

#include "screens/QuickTextScreenKit.h"

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
    list_ = QuickTextScreenKit::AddList(*this);
    updateScreen();
    return true;
}

void RestoreChecklistScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    controller_->CheckInitialRows(*list_);
    RequestRedraw();
}

IMController* RestoreChecklistScreen::getController() { return controller_.get(); }

IMModel* RestoreChecklistScreen::getModel() { return nullptr; }

bool RestoreChecklistScreen::handleEvent(EVENT_T) { return false; }

void RestoreChecklistScreen::setModelDependency() {}
