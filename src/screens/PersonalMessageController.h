// The controller of the personal-message screen: the save controls (the footer's and the
// keypad's) send the user's own status with the field's text and return to the settings;
// back returns without saving; the keypad's hide button closes the keypad.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

class PersonalMessageController : public IMController {
public:
    enum Action { ACTION_SAVE = 1502, ACTION_KEYPAD_SAVE = 1503, ACTION_KEYPAD_HIDE = 1504 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;

private:
    static void save(const Ixa::Base::String& text);
};
