// The users who asked to see the user's presence and have had no answer yet, oldest first.
// The question about the oldest is on whichever screen is shown; a screen change hides the
// question but keeps the request, and the next screen asks it again, so no request is ever
// dropped unanswered, and a second request waits behind the first instead of replacing it.
// Threading: user-interface thread (report events and taps). Ownership: holds copies of the
// user ids.
#pragma once

#include "platform/String.h"

#include <deque>

class SubscriptionQueue {
public:
    // Adds the user unless already waiting; true when the user is now the oldest request.
    bool Add(const Ixa::Base::String& user);
    bool IsEmpty() const { return users_.empty(); }
    // The oldest request; empty when none.
    Ixa::Base::String Oldest() const;
    // Removes the oldest request and answers it through the request controller.
    void AnswerOldest(bool allow);
    // Forgets every request (signed out: the server asks again at the next sign-in).
    void Clear() { users_.clear(); }

private:
    std::deque<Ixa::Base::String> users_;
};
