// The controller of the quick-text list: the stored phrases as rows, in the store's order.
// Tapping one hands it to the chat screen (quickText) and goes back there; the footer adds
// and deletes phrases.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

#include "platform/String.h"

#include <vector>

class QuickTextListController : public IMController {
public:
    enum Action { ACTION_ADD = 903, ACTION_DELETE = 904 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // A one-line row for a phrase, shared with the delete screen.
    static ListItemBase* MakeTextRow(const Ixa::Base::String& text, int width, Ixa::Ui::Controls::ListAnnexStyle annex);
    // Every stored phrase, in the store's order.
    static std::vector<Ixa::Base::String> LoadTexts();

    // The phrase the user picked, read (and emptied) by the chat screen.
    static Ixa::Base::String quickText;

private:
    std::vector<Ixa::Base::String> pAllQuickText;
};
