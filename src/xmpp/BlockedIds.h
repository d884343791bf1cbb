// The bare ids the server's blocking command holds blocked for the account, as last heard:
// the blocked list replaces them, each block or unblock pushed changes them. The roster merge
// consults them, since a standard server's roster items never say that a contact is blocked.
// Ids are compared as given (the reader lower-cases them).
// Threading: any thread, guarded by its own lock (the response thread changes and reads it).
// Ownership: a value kept by the connection, across its attempts; ids are copied.
#pragma once

#include "foundation/IMString.h"

#include <mutex>
#include <set>
#include <string>
#include <vector>

class BlockedIds {
public:
    // Holds exactly `ids` from now on; answers the ids it held before and holds no more.
    std::vector<IMString> replace(const std::vector<IMString>& ids);
    void add(const std::vector<IMString>& ids);
    // Drops `ids`, or every id when `ids` is empty; answers the ids it held and dropped.
    std::vector<IMString> remove(const std::vector<IMString>& ids);
    bool contains(const IMString& id) const;

private:
    mutable std::mutex lock_;
    std::set<std::string> ids_;
};
