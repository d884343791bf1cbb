#include "screens/TitledScreenController.h"

#include "app/IMManager.h"
#include "screens/TitledScreen.h"

void TitledScreenController::processAction(const Control&, int, IMView*) {}

void TitledScreenController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void TitledScreenController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView* view)
{
    auto* screen = dynamic_cast<TitledScreen*>(view);
    if (screen != nullptr && screen->GetBackEvent() != TitledScreen::NO_BACK) {
        IMManager::notifyEvent(static_cast<EVENT_T>(screen->GetBackEvent()));
    }
}
