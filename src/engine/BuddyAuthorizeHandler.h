// "buddyAuthorize": a subscription presence. A request to see the user's presence
// ("subscribe") reaches the delegate with its sender; "subscribed", "unsubscribed" and the
// rest change nothing (the roster push that follows carries the new state).
// Threading: the response thread. Ownership: disposes of the presence.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/Presence.h"

class BuddyAuthorizeHandler : public PayloadHandler<Presence> {
public:
    BuddyAuthorizeHandler();
    ~BuddyAuthorizeHandler() override;

protected:
    void handlePayload(Presence& presence) override;
};
