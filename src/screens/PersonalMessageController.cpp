#include "screens/PersonalMessageController.h"

#include "app/IMManager.h"
#include "engine/PresenceStatus.h"
#include "screens/PersonalMessageScreen.h"
#include "screens/ProfileChange.h"

void PersonalMessageController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<PersonalMessageScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    switch (actionId) {
    case ACTION_SAVE:
        save(screen->GetMessage());
        return;
    case ACTION_KEYPAD_SAVE:
        screen->HideKeypad();
        save(screen->GetMessage());
        return;
    case ACTION_KEYPAD_HIDE:
        screen->HideKeypad();
        return;
    default:
        return;
    }
}

void PersonalMessageController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void PersonalMessageController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*)
{
    IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
}

// While the user is offline or invisible there is no presence to carry a message.
void PersonalMessageController::save(const Ixa::Base::String& text)
{
    PresenceStatus self = IMManager::CopySelfStatus();
    if (self.GetPresenceStatus() != PresenceStatus::OFFLINE) {
        auto changed = new PresenceStatus(self);
        ProfileChange::SetMessage(*changed, text);
        ProfileChange::Send(changed);
    }
    IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
}
