// The message a conversation opened from a search result is scrolled to: the search sets it
// just before it opens the chat or the saved conversation, and that screen takes it the next
// time it lists its messages, instead of scrolling to the newest.
// Threading: user-interface thread. Ownership: a message id, no objects.
#pragma once

#include "store/Message.h"

#include <memory>
#include <vector>

class MessageToShow {
public:
    static void Set(long long messageId);
    // The row of the message to show among `messages`, or the last row when there is none or
    // it is not listed; forgets the message either way. -1 for an empty list.
    static int TakeRow(const std::vector<std::unique_ptr<Message>>& messages);

private:
    static long long messageId_;
};
