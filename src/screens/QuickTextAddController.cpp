#include "screens/QuickTextAddController.h"

#include "app/IMManager.h"
#include "screens/QuickTextAddScreen.h"

#include "store/QuickTextModel.h"

void QuickTextAddController::processAction(const Control&, int actionId, IMView* view)
{
    switch (actionId) {
    case ACTION_SAVE:
    case ACTION_KEYPAD_SAVE:
        save(view);
        break;
    case ACTION_CANCEL:
        cancel(view);
        break;
    case ACTION_HIDE_KEYPAD:
        if (auto* screen = dynamic_cast<QuickTextAddScreen*>(view)) {
            screen->HideKeypad();
        }
        break;
    default:
        break;
    }
}

void QuickTextAddController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void QuickTextAddController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView* view) { cancel(view); }

// The phrase is stored as typed: leading blanks are the user's choice; only a phrase of
// blanks alone is refused.
void QuickTextAddController::save(IMView* view)
{
    auto* screen = dynamic_cast<QuickTextAddScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    const Ixa::Base::String typed = screen->GetText();
    Ixa::Base::String trimmed(typed);
    trimmed.Trim();
    if (trimmed.IsEmpty()) {
        screen->InitializeAndShowPopup(IMScreen::POPUP_INFO, IMManager::GetStringFromResource("IDS_ADD_VALID_TEXT"));
        return;
    }
    QuickTextModel::GetInstance()->AddNewText(typed);
    screen->ClearText();
    IMManager::notifyEvent(EVENT_SHOW_QUICK_TEXT_LIST);
}

void QuickTextAddController::cancel(IMView* view)
{
    if (auto* screen = dynamic_cast<QuickTextAddScreen*>(view)) {
        screen->ClearText();
    }
    IMManager::notifyEvent(EVENT_SHOW_QUICK_TEXT_LIST);
}
