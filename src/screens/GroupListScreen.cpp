#include "screens/GroupListScreen.h"

#include "screens/QuickTextScreenKit.h"

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
GroupListScreen::~GroupListScreen() { RemoveAllControls(); }

bool GroupListScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "GROUP_LIST", "IDS_ADD_TO_GROUP")) {
        return false;
    }
    list_ = QuickTextScreenKit::AddList(*this);
    return true;
}

void GroupListScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    RequestRedraw();
}

IMController* GroupListScreen::getController() { return &controller_; }

IMModel* GroupListScreen::getModel() { return nullptr; }

bool GroupListScreen::handleEvent(EVENT_T) { return false; }

void GroupListScreen::setModelDependency() {}
