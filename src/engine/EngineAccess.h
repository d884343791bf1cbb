// How commands and handlers reach the protocol side through the request controller: the
// connection and its sub-managers, each null when it is missing (no controller, no
// connection yet, or a connection whose manager is not there), the response delegate, and
// the signed-in user's own id.
// Threading: stateless; safe from the request and the response thread, as the connection's
// getters are.
#pragma once

#include "foundation/IMString.h"

class ChatManager;
class Connection;
class PresenceManager;
class RequestController;
class ResponseDelegate;
class RosterManager;
struct RosterEntry;
class VCardManager;

class EngineAccess {
public:
    static Connection* connection(RequestController* controller);
    static RosterManager* rosterManager(RequestController* controller);
    static PresenceManager* presenceManager(RequestController* controller);
    static ChatManager* chatManager(RequestController* controller);
    static VCardManager* vCardManager(RequestController* controller);
    static ResponseDelegate* responseDelegate(RequestController* controller);
    // The user's own bare id (Connection::getEmailID), empty before the first login.
    static IMString ownId(RequestController* controller);
    static bool isOwnId(RequestController* controller, const IMString& id);
    // The stored name and group of a contact (both empty when it is not stored), which a roster
    // set must repeat.
    static RosterEntry storedEntry(RequestController* controller, const IMString& id);
};
