// "connectionError": connecting failed or the connection broke. During the first login it is
// a sign-in error (code 0, the localised "sign-in error. network not available" text);
// after sign-in it is a lost connection, which the reconnector sets about bringing back (a
// failed try of it schedules the next), and the next login counts as a first login again.
// A server that ends the connection rather than resume a kept session has refused it: the
// session is forgotten and the sign-in (or the reconnect try) starts again at once, afresh.
// A server that ends a session because another sign-in of the account took it over (a
// stream error "conflict") signs the user out: coming back would only take the session back,
// and the two would take it from each other for ever.
// Either way the connection is closed first. An error of an earlier attempt (the attempt
// number it carries is not the connection's), or one that comes after the user signed out,
// is stale: it closes nothing and shows nothing.
// Threading: the response thread; closing waits for the reader thread to end.
// Ownership: disposes of whatever object the notification carries (usually none).
#pragma once

#include "engine/NotificationHandler.h"

class Reconnector;
class ResponseDelegate;

class ConnectionErrorHandler : public NotificationHandler {
public:
    ConnectionErrorHandler();
    ~ConnectionErrorHandler() override;

    void handle(GtalkNotification* notification) override;

    // " " + sign-in error + ". " + network not available + ".  "
    static IMString signInErrorText();

private:
    void signInAgain(Reconnector* reconnector);
    void endForGood(Reconnector* reconnector, ResponseDelegate& delegate);
};
