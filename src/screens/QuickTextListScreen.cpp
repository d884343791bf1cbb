#include "screens/QuickTextListScreen.h"

#include "app/IMManager.h"
#include "screens/QuickTextScreenKit.h"

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
QuickTextListScreen::~QuickTextListScreen() { RemoveAllControls(); }

bool QuickTextListScreen::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (!QuickTextScreenKit::ConstructForm(*this, "QUICK_TEXT_SCREEN", "IDS_QUICK_TEXT")) {
        return false;
    }
    QuickTextScreenKit::AddFooterItem(*this, "IDS_ADD_QUICK_LIST", QuickTextListController::ACTION_ADD);
    QuickTextScreenKit::AddFooterItem(*this, "IDS_DELETE", QuickTextListController::ACTION_DELETE);
    list_ = QuickTextScreenKit::AddList(*this);
    return true;
}

void QuickTextListScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    RequestRedraw();
}

IMController* QuickTextListScreen::getController() { return &controller_; }

IMModel* QuickTextListScreen::getModel() { return nullptr; }

bool QuickTextListScreen::handleEvent(EVENT_T) { return false; }

void QuickTextListScreen::setModelDependency() {}
