// "signin": the outcome of a sign-in. On success the connection's first login is over and
// the delegate hears, in this order, an empty display name, the user's own status as offline
// (until the service reports the shared status) and the success; on failure it hears a
// sign-in error with code 0 and the localised "check user name and password" text.
// The object is an IMHashMap ("isSignInSuccess" → IMBoolean, on success also
// "initialPresence", unused); a map without the entry counts as a failure.
// Threading: the response thread. Ownership: disposes of the map with its keys and values.
#pragma once

#include "engine/PayloadHandler.h"
#include "foundation/IMHashMap.h"

class SignInHandler : public PayloadHandler<IMHashMap> {
public:
    SignInHandler();
    ~SignInHandler() override;

protected:
    void handlePayload(IMHashMap& outcome) override;

private:
    void succeeded();
    void failed();
};
