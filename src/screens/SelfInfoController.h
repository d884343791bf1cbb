// The controller of the own profile: the status rows (available, busy) and the footer's and
// keypad's controls. Save sends the user's own status with the field's message and the chosen
// row, but only when that differs from the status the service reported; save and cancel then
// return to the screen that opened the profile (isFromBuddyList).
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"
#include "screens/ScreenOrigin.h"

class SelfInfoController : public IMController {
public:
    enum Action { ACTION_SAVE = 311, ACTION_CANCEL = 312, ACTION_KEYPAD_SAVE = 313, ACTION_KEYPAD_HIDE = 314 };
    // Who opened the profile, and so where it returns.
    using enum ScreenOrigin::From;

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // Opens the profile from `origin` (a ScreenOrigin::From), which it returns to.
    static void Open(int origin);

    // Chooses the row of the user's own status as it stands.
    void updatePresentStatus();
    int GetChosenRow() const;

    static int isFromBuddyList;

private:
    void save(const Ixa::Base::String& message);
    static void goBack();

    int chosenRow_ = 0;
};
