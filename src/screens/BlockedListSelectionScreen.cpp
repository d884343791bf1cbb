#include "screens/BlockedListSelectionScreen.h"

#include "screens/QuickTextScreenKit.h"
#include "screens/SelectAllList.h"

BlockedListSelectionScreen::BlockedListSelectionScreen(const char* titleId, BlockedListSelectionController& controller)
    : titleId_(titleId)
    , controller_(controller)
{
}

// The list hands its rows back to the controller as it goes, so the controls go while the
// derived screen, which owns it, is still whole; it calls RemoveAllControls first.
BlockedListSelectionScreen::~BlockedListSelectionScreen() = default;

bool BlockedListSelectionScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "BLOCKED_LIST", titleId_)) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, titleId_, BlockedListSelectionController::ACTION_CARRY_OUT);
    QuickTextScreenKit::AddFooterItem(*this, "IDS_CANCEL", BlockedListSelectionController::ACTION_CANCEL);
    selection_ = QuickTextScreenKit::AddSelectionLabel(*this);
    controller_.Reload();
    list_ = QuickTextScreenKit::AddList(*this, QuickTextScreenKit::SELECTION_BOTTOM);
    list_->UpdateList();
    ShowSelection(0);
    return true;
}

void BlockedListSelectionScreen::updateScreen()
{
    CleanActivePopups();
    controller_.Reload();
    list_->UpdateList();
    SelectAllList::UncheckAll(*list_);
    ShowSelection(0);
    RequestRedraw();
}

void BlockedListSelectionScreen::ShowSelection(int checked) { QuickTextScreenKit::ShowSelection(*this, *selection_, checked); }

IMController* BlockedListSelectionScreen::getController() { return &controller_; }

IMModel* BlockedListSelectionScreen::getModel() { return nullptr; }

bool BlockedListSelectionScreen::handleEvent(EVENT_T) { return false; }

void BlockedListSelectionScreen::setModelDependency() {}
