// The user's own presence and shared status. It keeps the current status (available, busy,
// away, extended away), the status message (escaped once, when it is set, and written as
// kept), the invisibility flag and the recent status messages of each kind, and sends
// presences and the service's shared status ("google:shared-status", version 2) from them.
// The shared status goes to the user's bare id, from the full id of the bind result.
//
// The recent lists belong to the account, not to this session: they start as the server
// sends them (takeServerStatus), with its limits on their length and on a status text, and
// a status change puts its text first. Until the server's lists are known a change sends
// none, so that it cannot replace them with this session's alone.
//
// A server that refuses the shared status (ServiceSupport) gets the status as plain presence
// instead: an available presence with the show and the text, or, for invisible, an unavailable
// one (the session stays, so messages addressed to it still arrive). No server echoes such a
// change, so the manager reports it itself, as the "sharedstatus" the server would have pushed;
// a change sent as a shared status before the refusal came goes out again as presence, and
// without one the refusal itself reports the status the initial presence announced.
//
// It also keeps, for this session, what each contact's resources said (ResourcePresences),
// so the engine shows every contact as a whole.
// Threading: every operation from any thread (the request thread sets the status, the
// response thread sends the initial presence, logout goes offline); the fields are guarded
// by the manager's own lock and each packet is built from a snapshot, so sends happen
// without it. Ownership: as SubManager; the manager owns its lists and message, and every
// packet gets its own copies. The controller, which the reports go to, is borrowed.
#pragma once

#include "foundation/IMString.h"
#include "foundation/IMVector.h"
#include "xmpp/Presence.h"
#include "xmpp/RecentStatusList.h"
#include "xmpp/ResourcePresences.h"
#include "xmpp/SubManager.h"

#include <mutex>

class RequestController;
class SharedStatusMessage;

class PresenceManager : public SubManager {
public:
    static constexpr int STATUS_AVAILABLE = 0;
    static constexpr int STATUS_BUSY = 1;
    static constexpr int STATUS_AWAY = 2;
    static constexpr int STATUS_EXTENDED_AWAY = 3;
    static constexpr int RECENT_MESSAGES = 3;

    PresenceManager(Connection* connection, RequestController* controller);
    ~PresenceManager() override;

    // Asks for the shared status.
    void init();
    void sendPresence(Presence::Type type);
    void setOnlineStatus(IMString* text);
    void setBusyStatus(IMString* text);
    void setInvisibleStatus(bool on);
    void setOfflineStatus();
    // Puts back the status the user chose in an earlier session, sending nothing: the next
    // presence carries it. For a fresh session on a server that keeps no shared status.
    void restoreStatus(int status, const IMString& text, bool invisible);
    void sendSubscriptionRequest(Presence::Type type, IMString* to);
    // The server's shared status (its answer or a push): its recent lists and limits.
    void takeServerStatus(SharedStatusMessage& shared);
    // The server has refused the shared status: a change already sent as one goes out again
    // as presence; without one, the status of the initial presence is reported.
    void sharedStatusRefused();
    // Records a contact's presence for its resource and rewrites it into what the contact
    // shows as a whole (ResourcePresences::merge).
    void mergeResource(Presence& presence);
    // Also forgets the status, the message, the lists and the contacts' resources.
    void clean() override;

private:
    void setStatus(int status, IMString* text);
    // Sends the change (lock_ not held): as a shared status, or as presence when the server
    // has refused that.
    void sendChange();
    // The presence that stands for the current status (lock_ held).
    Presence* newStatusPresence();
    // The show and the text of the current status (lock_ held).
    void addStatus(Presence& presence);
    // What the server would have echoed for the current status (lock_ held).
    SharedStatusMessage* newEcho();
    // Records the message in the recent list of the current kind and builds the set.
    SharedStatusMessage* newSharedStatus();
    static Presence::Status showOf(int status);
    // `text` cut to the server's longest status text, as a new string; null for null.
    IMString* withinStatusMax(IMString* text) const;

    std::mutex lock_;
    RecentStatusList dndList_{RECENT_MESSAGES};
    RecentStatusList defaultList_{RECENT_MESSAGES};
    bool listsKnown_ = false;
    // The longest status text the server keeps, in UTF-16 units; 0 when it has not said.
    int statusMax_ = 0;
    ResourcePresences resources_;
    RequestController* controller_;
    IMString* currentStatusMessage_ = nullptr;
    // The same text as given, for the report of a change the server does not echo.
    IMString currentStatusText_;
    // A change has been made in this session.
    bool changed_ = false;
    int currentStatus_ = STATUS_AVAILABLE;
    bool invisible_ = false;
};
