// The controller of the group list: row 0 creates a group (the group screen), each other row
// is a stored group, in the buddy list's order, and picking one goes back to the add-contact
// screen with its name; back goes there without one. The name handed over is kept here (the
// add-contact screen copies it), and an empty one means "none picked".
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

#include "foundation/IMString.h"

#include <vector>

class GroupListController : public IMController {
public:
    enum Action { ACTION_BACK = 890, ACTION_BACK_LANDSCAPE = 891 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

private:
    void returnToAddContact(const IMString& group);

    std::vector<IMString> groupNames_;
    IMString handedGroup_;
};
