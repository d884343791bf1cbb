// The controller of the status screen: the available and busy rows, the chosen one ticked.
// Choosing a row sends the user's own status, changed to what the row stands for, to the
// service at once; back returns to the settings.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

class StatusController : public IMController {
public:
    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // Ticks the row of the user's own status as it stands.
    void ReadSelfStatus();
    int GetChosenRow() const;

private:
    int chosenRow_ = 0;
};
