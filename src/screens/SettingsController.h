// The controller of the settings: the profile rows (name, personal message, status, each with
// its current value), the
// show-offline and alert-sound switches, which take effect and are stored at once, the saved
// conversations and the block list, and sign-out behind a question. Back returns to the screen
// that opened the settings (isBuddyList).
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"
#include "screens/ScreenOrigin.h"

class SettingsController : public IMController {
public:
    enum Action {
        ACTION_SHOW_OFFLINE_ON = 902,
        ACTION_SHOW_OFFLINE_OFF = 903,
        ACTION_SHOW_OFFLINE_SELECTED = 904,
        ACTION_SIGN_OUT = 907,
        ACTION_SIGN_OUT_YES = 908,
        ACTION_SIGN_OUT_NO = 909,
        ACTION_ALERT_ON = 919,
        ACTION_ALERT_OFF = 920,
        ACTION_ALERT_SELECTED = 921,
        // The saved-conversations and block-list rows.
        ACTION_BACKUP = 933,
        ACTION_BLOCKED_LIST = 934,
    };
    // The rows of "My profile".
    enum ProfileRow { ROW_NAME = 0, ROW_PERSONAL_MESSAGE = 1, ROW_STATUS = 2, PROFILE_ROWS = 3 };
    // Who opened the settings, and so where back goes.
    using enum ScreenOrigin::From;

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // Opens the settings from `origin` (a ScreenOrigin::From), which back returns to.
    static void Open(int origin);

    static int isBuddyList;

    static constexpr int ROW_HEIGHT = 80;

private:
    static void setShowOffline(bool show);
    static void setAlert(bool melody);
};
