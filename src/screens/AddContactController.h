// The controller of the add-contact screen. Add checks the typed address (IsValidContactName),
// refuses the user's own address, a blocked contact and a buddy already listed, and asks the
// request controller to add the contact in the group chosen on the group screens (the
// default group "Friends", made when missing, when none was chosen); then the buddy list
// shows. Cancel and back forget what was typed and chosen and go back to the buddy list. The
// group row keeps the typed address while the user visits the group list.
//
// The address checks are the screen's own rules: a bare name is letters first, then
// letters, digits, at most one "." and "_" (not ending in "." or "_"), and gets the
// service's default domain; a full address has that name before its "@", a local part of
// letters, digits, "." and VALID_LOCAL_PART_BEGIN_CHARS, and a domain of letters, digits,
// "-", "[" and "]" with dot-separated labels, at least one dot, not ending in a dot. An
// address in the service's default domain needs no dot in its domain.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

#include "foundation/IMString.h"

class AddContactView;
class Group;

class AddContactController : public IMController {
public:
    enum Action { ACTION_ADD_KEYPAD = 500, ACTION_ADD = 408, ACTION_CANCEL = 501 };

    static const char* const VALID_LOCAL_PART_BEGIN_CHARS;

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    static bool IsValidContactName(const IMString& text);
    static bool IsValidEmailAddress(const IMString& text, int start, int length);
    // The index of `c` in `set` between `from` and `to` (exclusive), or -1.
    static int FindChar(wchar_t c, const char* set, int from, int to);

private:
    void add(AddContactView& view);
    // Sends the request; false (after its popup) when the address may not be added.
    bool AddContact(AddContactView& view);
    // The refusal text for the typed address, or null when it may be added.
    static const char* refusalOf(const IMString& typed);
    // The group chosen on the group screens, or the default group (made when missing).
    static Group* targetGroup(const AddContactView& view);
    void leave(AddContactView& view);
};
