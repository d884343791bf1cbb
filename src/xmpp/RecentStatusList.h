// One of the user's lists of recent status messages (those of "default" or of "dnd"), as the
// service keeps them for every client of the account: newest first, no duplicates, no blank
// entries, at most `limit` texts. Texts are kept escaped, as the presence manager writes them.
// Threading: none; the presence manager guards it. Ownership: a value; copy() hands a new
// list with new strings to the caller.
#pragma once

#include "foundation/IMString.h"
#include "foundation/IMVector.h"

#include <vector>

class RecentStatusList {
public:
    explicit RecentStatusList(int limit);

    // Drops the oldest texts beyond a new limit; a limit below 1 is ignored.
    void setLimit(int limit);
    // Takes the server's texts (IMString*, as read, unescaped) in their order; null empties.
    void replace(IMVector* texts);
    // Puts `escaped` first, removing an equal entry; a blank text changes nothing.
    void add(const IMString& escaped);
    IMVector* copy() const;
    void clear();

private:
    void trim();
    static bool isBlank(const IMString& text);

    std::vector<IMString> texts_;
    int limit_;
};
