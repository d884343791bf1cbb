// The controller of the contact details: one row, 400 pixels high, of four labelled values
// stacked at the left margin: display name, address, presence and status message, read from
// the contact store each time the row is made (the copy the screen holds when the contact is
// no longer stored). Back returns to the buddy list.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

class Contact;

class ContactInfoController : public IMController {
public:
    static constexpr int ROW_HEIGHT = 420;

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // The text id naming a presence code: 0 and 99 available, 2 busy, 9 and 999 away, any
    // other offline.
    static const char* PresenceTextId(int presence);

private:
    static ListItemBase* makeDetails(const Contact& contact, int width);
};
