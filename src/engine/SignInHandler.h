// "signin": the outcome of a sign-in. On success the connection's first login is over and
// the delegate hears, in this order, an empty display name, the user's own status as offline
// (until the service reports the shared status) and the success; on failure it hears a
// sign-in error with code 0 and the localised "check user name and password" text.
// While the reconnector is bringing a lost session back, a success ends the reconnecting
// instead ("isResumed" tells whether the session was resumed or signed in afresh), and a
// refused password ends it for good before the sign-in error is reported.
// The object is an IMHashMap ("isSignInSuccess" → IMBoolean, on success also
// "initialPresence", unused); a map without the entry counts as a failure.
// A success also lets acknowledgements flow again after a received message was lost
// (ReceivedBatch): the session now starts from what was acknowledged.
// Threading: the response thread. Ownership: disposes of the map with its keys and values.
#pragma once

#include "engine/PayloadHandler.h"
#include "foundation/IMHashMap.h"

class BaseCommand;
class Reconnector;

class SignInHandler : public PayloadHandler<IMHashMap> {
public:
    SignInHandler();
    ~SignInHandler() override;

protected:
    void handlePayload(IMHashMap& outcome) override;

private:
    void succeeded(bool resumed);
    void reconnected(Reconnector& reconnector, bool resumed);
    void queue(BaseCommand* command);
    void failed();
};
