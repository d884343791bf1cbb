// The block list as its three screens show it: the blocked contacts of the contact store, in
// the store's order (by display name), less those whose unblock or delete has gone to the
// server and not come back yet. Such a contact stays blocked in the store until the server's
// roster push arrives, and every presence change rebuilds the list meanwhile, so without
// this it would come back on screen after the user took it off.
// Threading: user-interface thread. Ownership: Load's contacts belong to the caller; the set
// of contacts asked for is the program's.
#pragma once

#include "store/Contact.h"

#include "platform/ControlsTypes.h"
#include "platform/ListContextItem.h"
#include "platform/ListItemBase.h"

#include <memory>
#include <vector>

class BlockedListEntries {
public:
    using Contacts = std::vector<std::unique_ptr<Contact>>;

    // The blocked contacts to show now. A contact asked for that the store no longer holds as
    // blocked has been answered, and is forgotten here.
    static Contacts Load();
    // The unblock or delete of the contact has gone out: it is left off until the answer.
    static void MarkRequested(const IMString& contactId);
    // A request failed, or the user leaves the list: the store alone decides again.
    static void ForgetRequests();
    // A row naming the contact, with the context item given (null for none).
    static Ixa::Ui::Controls::ListItemBase* MakeRow(
        const Contact& contact, int width, Ixa::Ui::Controls::ListAnnexStyle annex, const Ixa::Ui::Controls::ListContextItem* context);
};
