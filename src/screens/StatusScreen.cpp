#include "screens/StatusScreen.h"

#include "screens/QuickTextScreenKit.h"
#include "screens/StatusRows.h"

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
StatusScreen::~StatusScreen() { RemoveAllControls(); }

bool StatusScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "STATUS_SCREEN", "IDS_STATUS")) {
        return false;
    }
    controller_.ReadSelfStatus();
    list_ = QuickTextScreenKit::AddList(*this);
    StatusRows::Show(*list_, controller_.GetChosenRow());
    return true;
}

void StatusScreen::updateScreen()
{
    CleanActivePopups();
    controller_.ReadSelfStatus();
    StatusRows::Show(*list_, controller_.GetChosenRow());
    RequestRedraw();
}

IMController* StatusScreen::getController() { return &controller_; }

IMModel* StatusScreen::getModel() { return nullptr; }

bool StatusScreen::handleEvent(EVENT_T) { return false; }

void StatusScreen::setModelDependency() {}
