#include "screens/DeleteConvScreen.h"

#include "screens/QuickTextScreenKit.h"
#include "screens/SelectAllList.h"

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
DeleteConvScreen::~DeleteConvScreen() { RemoveAllControls(); }

bool DeleteConvScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "DELETE_CONVERSATION_SCREEN", "IDS_END_CONVERSATION")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_DELETE", DeleteConvController::ACTION_DELETE);
    QuickTextScreenKit::AddFooterItem(*this, "IDS_CANCEL", DeleteConvController::ACTION_CANCEL);
    selection_ = QuickTextScreenKit::AddSelectionLabel(*this);
    list_ = QuickTextScreenKit::AddList(*this, QuickTextScreenKit::SELECTION_BOTTOM);
    ShowSelection(0);
    return true;
}

void DeleteConvScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    SelectAllList::UncheckAll(*list_);
    ShowSelection(0);
    RequestRedraw();
}

void DeleteConvScreen::ShowSelection(int checked) { QuickTextScreenKit::ShowSelection(*this, *selection_, checked); }

IMController* DeleteConvScreen::getController() { return &controller_; }

IMModel* DeleteConvScreen::getModel() { return nullptr; }

bool DeleteConvScreen::handleEvent(EVENT_T) { return false; }

void DeleteConvScreen::setModelDependency() {}
