// The controller of the delete-quick-texts screen. Row 0 selects or clears every phrase; the
// other rows are the phrases with their store ids. The select-all row follows the phrase
// rows (checked exactly when all of them are), the delete item is enabled while any phrase
// is checked, and delete removes the checked phrases from the store and returns to the list.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

#include "platform/String.h"

#include <utility>
#include <vector>

class QuickTextListDeleteScreen;

class QuickTextListDeleteController : public IMController {
public:
    enum Action { ACTION_DELETE = 101 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

private:
    void deleteChecked(QuickTextListDeleteScreen& screen);

    std::vector<std::pair<long long, Ixa::Base::String>> pAllQuickTextForDeleteing;
};
