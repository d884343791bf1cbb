#include "screens/QuickTextListDeleteScreen.h"

#include "app/IMManager.h"
#include "screens/QuickTextScreenKit.h"
#include "screens/SelectAllList.h"

#include "platform/Footer.h"

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
QuickTextListDeleteScreen::~QuickTextListDeleteScreen() { RemoveAllControls(); }

bool QuickTextListDeleteScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "QUICK_TEXT_DELETE_SCREEN", "IDS_DELETE")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_DELETE", QuickTextListDeleteController::ACTION_DELETE);
    selection_ = QuickTextScreenKit::AddSelectionLabel(*this);
    list_ = QuickTextScreenKit::AddList(*this, QuickTextScreenKit::SELECTION_BOTTOM);
    ShowSelection(0);
    return true;
}

void QuickTextListDeleteScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    SelectAllList::UncheckAll(*list_);
    ShowSelection(0);
    RequestRedraw();
}

void QuickTextListDeleteScreen::ShowSelection(int checked) { QuickTextScreenKit::ShowSelection(*this, *selection_, checked); }

IMController* QuickTextListDeleteScreen::getController() { return &controller_; }

IMModel* QuickTextListDeleteScreen::getModel() { return nullptr; }

bool QuickTextListDeleteScreen::handleEvent(EVENT_T) { return false; }

void QuickTextListDeleteScreen::setModelDependency() {}
