// What the protect and delete screens of the saved conversations share: a check row per saved
// conversation (read afresh whenever the list is counted, in the order they were saved), 1401
// carrying out the checks and 1402 cancelling; both, and back, clear the checks and return to
// the list. The protect screen starts each row checked when its conversation is protected;
// the delete screen puts a select-all row first, counts the checked conversations and marks
// protected conversations with the lock picture.
// Threading: user-interface thread. Ownership: owned by its screen; owns its copy of the keys.
#pragma once

#include "app/IMController.h"

#include "platform/String.h"

#include <vector>

class RestoreChecklistController : public IMController {
public:
    enum Action { ACTION_DONE = 1401, ACTION_CANCEL = 1402 };
    enum Element { ELEMENT_LOCK = 3 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // Checks the rows whose conversations start checked.
    virtual void CheckInitialRows(ListView& list) const = 0;
    // Whether a select-all row comes first; such a screen counts what is checked and offers
    // its action only while something is.
    bool SelectsAll() const { return firstKeyRow() > 0; }

protected:
    // The row of the first conversation (1 after a select-all row).
    virtual int firstKeyRow() const = 0;
    virtual void carryOut(ListView& list) = 0;
    // The key of a conversation row, empty for other rows.
    Ixa::Base::String keyOfRow(int row) const;
    int rowCount() const;

private:
    std::vector<Ixa::Base::String> keys_;
};

// Protects the checked conversations and unprotects the others.
class ProtectRestoreConvController : public RestoreChecklistController {
public:
    void CheckInitialRows(ListView& list) const override;

protected:
    int firstKeyRow() const override { return 0; }
    void carryOut(ListView& list) override;
};

// Deletes the checked conversations that are not protected; select-all as SelectAllList says.
class DeleteRestoreConvController : public RestoreChecklistController {
public:
    void CheckInitialRows(ListView&) const override {}
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;

protected:
    int firstKeyRow() const override { return 1; }
    void carryOut(ListView& list) override;
};
