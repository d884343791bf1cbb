// The controller of the block list. Each row's context items unblock the contact (by its
// contact id) or delete it from the server's roster; either way the row goes at once and,
// when it was the last, the footer's unblock and delete items go with it. Those two open the
// selection screens; back returns to the settings.
// Threading: user-interface thread. Ownership: owned by its screen; owns the listed contacts
// and the one chosen last.
#pragma once

#include "app/IMController.h"
#include "screens/BlockedListEntries.h"

#include "foundation/IMString.h"

#include <memory>

class BlockedListScreen;

class BlockedListController : public IMController {
public:
    enum Action { CONTEXT_UNBLOCK = 706, CONTEXT_DELETE = 709, ACTION_UNBLOCK_SCREEN = 710, ACTION_DELETE_SCREEN = 711 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewContextItemStateChanged(ListView& list, int index, int elementId, ListContextItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // Takes the list afresh from the store.
    void Reload();
    int GetBlockedCount() const { return static_cast<int>(blockedContacts_.size()); }

private:
    void requestFor(int index, int elementId);

    BlockedListEntries::Contacts blockedContacts_;
    std::unique_ptr<Contact> pSelectedContact;
    IMString selectedContactId_;
};
