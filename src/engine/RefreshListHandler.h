// "buddylist": a roster from the server (the answer to the roster request, or a push),
// merged into the contact and group stores. Each contact is filed under the first group of its
// item, else the default group "Friends" (RosterGroups: groups compare without regard to
// case, the groups seen are created, and a full roster removes the groups it no longer
// lists). By subscription type, contact kind ("gr:t") and pending request:
// - removed or hidden: reported deleted from the server (nothing is stored);
// - blocked (the contact kind says so, or the server's blocking command holds its id, which a
//   standard server's items never mark): stored blocked and off the buddy list;
// - both: stored on the buddy list, unblocked; on the first roster after a sign-in its
//   presence starts as offline, later rosters keep the presence it has;
// - none with the user's own invitation open: stored as invited (never seen, the localised
//   "invited" text as its status message);
// - anything else: left alone.
// Items without an id or with an id without an at sign are skipped; ids are lower-cased.
// The first roster after a sign-in also sweeps contacts still marked deleted, ends the
// store's list refreshes, reports all presence received, queues the presence command and
// announces the user as available.
//
// The merge is one transaction of the contact store; the delegate hears about each contact
// only after it has ended, in roster order, so no callback runs while the store is locked.
// Threading: the response thread; queues a command for the request thread and sends the
// initial presence from here. Ownership: disposes of the roster; contacts pass to the
// delegate.
#pragma once

#include "engine/PayloadHandler.h"
#include "engine/RosterGroups.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"

#include <vector>

class Contact;
class ContactDAO;

class RefreshListHandler : public PayloadHandler<Roster> {
public:
    RefreshListHandler();
    ~RefreshListHandler() override;

protected:
    void handlePayload(Roster& roster) override;

private:
    // What the merge of one item tells the delegate.
    struct Change {
        Contact* contact;
        bool deleted;
    };

    std::vector<Change> merge(Roster& roster, ContactDAO& contacts, RosterGroups& groups);
    // The change an item makes; its contact is null when the item changes nothing.
    Change mergeItem(RosterItem& item, ContactDAO& contacts, RosterGroups& groups, bool firstRoster);
    bool isBlockedOnServer(const IMString& id);
    void report(const std::vector<Change>& changes);
    void finishFirstRoster(ContactDAO& contacts);
};
