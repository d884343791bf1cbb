#include "screens/QuickTextListScreen.h"

#include "app/IMManager.h"
#include "screens/QuickTextScreenParts.h"

bool QuickTextListScreen::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (!QuickTextScreenParts::ConstructForm(*this, "QUICK_TEXT_SCREEN", "IDS_QUICK_TEXT")) {
        return false;
    }
    QuickTextScreenParts::AddFooterItem(*this, "IDS_ADD_QUICK_LIST", QuickTextListController::ACTION_ADD);
    QuickTextScreenParts::AddFooterItem(*this, "IDS_DELETE", QuickTextListController::ACTION_DELETE);
    list_ = QuickTextScreenParts::AddList(*this);
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
