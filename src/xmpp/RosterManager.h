// The contact list on the server: asks for the roster, adds, removes, blocks, unblocks,
// renames and files contacts under a group with roster sets of one item (the service's
// roster extension), and acknowledges the server's roster pushes. It also asks whether the
// server has the standard blocking command (the blocked list); once the server has answered
// that, blocks and unblocks go out as that command's block and unblock instead of roster
// sets, which a standard server would store without acting on them.
// Threading: the operations from the request thread, processRoster on the reader thread
// inside the connection lock. Ownership: as SubManager; the jid and name arguments stay
// with the caller (the packets get copies).
#pragma once

#include "foundation/IMString.h"
#include "xmpp/BlockList.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterItem.h"
#include "xmpp/SubManager.h"

#include <atomic>

// What a roster set repeats of the item the user already has: a set replaces the whole item
// on the server, so a rename or a block that left them out would drop the contact's name or
// group there. Either may be empty.
struct RosterEntry {
    IMString name;
    IMString group;
};

class RosterManager : public SubManager {
public:
    explicit RosterManager(Connection* connection);
    ~RosterManager() override;

    void init();
    // Asks for the blocked list, unless the server has refused it before. Its ids are
    // "blocklist_" and a count of this manager's queries.
    void askBlockList();
    void addContact(IMString* jid);
    void deleteContact(IMString* jid);
    void blockContact(IMString* jid, const RosterEntry& kept = {});
    void unBlockContact(IMString* jid, const RosterEntry& kept = {});
    void renameContact(IMString* jid, IMString* name, const IMString& group = IMString());
    // Files the contact under `group` alone (a roster set whose item carries that group).
    void fileContact(IMString* jid, const IMString& group);
    // A roster that is not a result is a push: it is acknowledged with a result of the same
    // id. The roster stays with the caller.
    void processRoster(Roster* roster);
    void sendRosterWithOneContact(
        IMString* jid, RosterItem::Description description, IMString* name, RosterItem::Type type);

private:
    static RosterItem* itemFor(
        IMString* jid, RosterItem::Description description, IMString* name, RosterItem::Type type);
    void sendSet(RosterItem* item);
    void sendKept(IMString* jid, RosterItem::Description description, const RosterEntry& kept);
    // Sends the blocking command's block or unblock of `jid` when the server has it; answers
    // whether it did.
    bool sendBlocking(BlockList::Kind kind, IMString* jid);

    std::atomic<int> blockListQueries_{0};
};
