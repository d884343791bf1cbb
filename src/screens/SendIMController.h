// The controller of the send-message-to screen. Its action takes the typed address as the
// add-contact screen does (blanks trimmed, the default domain added to a bare name, lower
// case; an address that screen would refuse gets "Invalid e-mail address.", and the user's
// own address is refused too, as the add-contact screen refuses it) and opens the chat with it: the stored contact of that address when there is one, so that one person's
// conversation is never split between two ids, else a new contact, not on the buddy list and
// not stored, which the chat accepts as such. Back returns to the buddy list.
// Threading: user-interface thread. Ownership: owned by its screen; owns the contact handed
// to the chat.
#pragma once

#include "app/IMController.h"

#include "store/Contact.h"

#include <memory>

class SendIMScreen;

class SendIMController : public IMController {
public:
    enum Action { ACTION_OPEN = 101, ACTION_KEYPAD_CANCEL = 102 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;

    // The contact a chat with `address` (normalised) is held with: the stored one, or a new
    // one off the buddy list. The caller owns it.
    static Contact* ContactFor(const IMString& address);

    // Takes `contact`, deleting the one selected before.
    void SetSelectedContact(Contact* contact);
    Contact* GetSelectedContact() const { return selectedContact_.get(); }

private:
    void open(SendIMScreen& screen);

    std::unique_ptr<Contact> selectedContact_;
};
