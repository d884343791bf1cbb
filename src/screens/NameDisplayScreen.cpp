#include "screens/NameDisplayScreen.h"

#include "screens/QuickTextScreenKit.h"

// The list hands its row back to this screen as it goes, so the controls go while the screen
// is still whole.
NameDisplayScreen::~NameDisplayScreen() { RemoveAllControls(); }

bool NameDisplayScreen::Initialize()
{
    if (!QuickTextScreenKit::ConstructForm(*this, "NAMEDISPLAY_SCREEN", "IDS_DISPLAY_NAME")) {
        return false;
    }
    list_ = QuickTextScreenKit::AddList(*this);
    return true;
}

void NameDisplayScreen::updateScreen()
{
    CleanActivePopups();
    list_->UpdateList();
    RequestRedraw();
}

IMController* NameDisplayScreen::getController() { return &controller_; }

IMModel* NameDisplayScreen::getModel() { return nullptr; }

bool NameDisplayScreen::handleEvent(EVENT_T event)
{
    if (event != EVENT_SELF_INFO_CHANGED) {
        return false;
    }
    updateScreen();
    return true;
}

void NameDisplayScreen::setModelDependency() {}
