// The groups of the roster as one merge files its contacts. An item's group is its first
// <group> (trimmed), or the default group "Friends" when it has none or only a blank one.
// Groups are one per lower-case id: a group the store already has keeps its name and its
// folded state, and every contact filed under any spelling of it takes that name; a group
// the store lacks is created under the spelling the roster gives (marked as having
// contacts). The default group is always there.
//
// A full roster (the answer to the roster request) lists every group the user keeps on the
// server, so once it is merged, the stored groups it did not file a buddy in are removed,
// the default one excepted. Until then a group that became empty keeps its row (and its
// header on the buddy list): a push only ever adds groups.
//
// Threading: the response thread, for the length of one merge. Ownership: borrows the store.
#pragma once

#include "foundation/IMString.h"
#include "xmpp/RosterItem.h"

#include <map>
#include <string>

class GroupDAO;

class RosterGroups {
public:
    static constexpr const char* DEFAULT_GROUP = "Friends";

    // A null store files every contact under the item's own group name and stores nothing.
    explicit RosterGroups(GroupDAO* groups);

    // Creates the default group when it is missing.
    void ensureDefaultGroup();
    // The name the item's contact is filed under. With `onBuddyList` the group counts as
    // seen and is created when missing; otherwise (a blocked contact) nothing is stored.
    IMString groupOf(RosterItem& item, bool onBuddyList);
    // Removes the stored groups that no buddy of this merge was filed in, but the default.
    void removeUnseen();

private:
    static IMString requestedName(RosterItem& item);
    static std::string keyOf(const IMString& name);
    // Whether the store has the group; its stored name goes to `stored`.
    bool storedName(const IMString& name, IMString& stored);
    void create(const IMString& name);

    GroupDAO* groups_;
    // Lower-case id (UTF-8) to the name contacts are filed under, for every group seen.
    std::map<std::string, IMString> seen_;
};
