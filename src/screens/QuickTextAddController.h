// The controller of the add-quick-text screen: save stores the phrase as typed unless it is
// blank (then the "enter some text" popup), cancel drops it; both go back to the list.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

class QuickTextAddController : public IMController {
public:
    enum Action { ACTION_SAVE = 101, ACTION_CANCEL = 102, ACTION_KEYPAD_SAVE = 103, ACTION_HIDE_KEYPAD = 104 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;

private:
    static void save(IMView* view);
    static void cancel(IMView* view);
};
