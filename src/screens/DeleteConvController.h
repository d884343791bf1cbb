// The controller of the delete-conversations screen. Row 0 selects or clears every
// conversation (the rules of SelectAllList); the other rows are the users with stored
// messages, newest conversation first, read afresh whenever the list is counted. Delete
// removes the messages of every checked row; delete and cancel both clear the checks and
// return to the conversations list.
// Threading: user-interface thread. Ownership: owned by its screen; owns its copy of the ids.
#pragma once

#include "app/IMController.h"

#include "platform/String.h"

#include <vector>

class DeleteConvController : public IMController {
public:
    enum Action { ACTION_DELETE = 1901, ACTION_CANCEL = 1902 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // The conversations listed, the select-all row left out.
    int GetDeleteConversationsCount() const;

private:
    void deleteChecked(ListView& list);

    std::vector<Ixa::Base::String> userIds_;
};
