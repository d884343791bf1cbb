// What the unblock and delete screens of the block list share: row 0 selects or clears
// every contact and the other rows are the blocked contacts, with the quick-text delete
// screen's select-all rules. Action 101 asks for every checked contact, walking from the last
// row up so the indexes left stay valid, and takes each row off; 102, like back, unchecks
// every row. Both return to the block list. What is asked for a contact is the derived
// controller's.
// Threading: user-interface thread. Ownership: owned by its screen; owns the listed contacts.
#pragma once

#include "app/IMController.h"
#include "screens/BlockedListEntries.h"

class BlockedListSelectionScreen;
class RequestController;

class BlockedListSelectionController : public IMController {
public:
    enum Action { ACTION_CARRY_OUT = 101, ACTION_CANCEL = 102 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // Takes the list afresh from the store.
    void Reload();

protected:
    // Asks the server for the unblock or the delete of `contact`.
    virtual void request(RequestController& requests, Contact& contact) = 0;

private:
    void carryOut(BlockedListSelectionScreen& screen);
    void cancel(BlockedListSelectionScreen& screen);

    BlockedListEntries::Contacts pAllBlockedContactsForDeleteing;
};
