// The controller of the name-display screen: one read-only row, "Display name" over the name
// the service keeps for the user; back returns to the settings.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

class NameDisplayController : public IMController {
public:
    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;
};
