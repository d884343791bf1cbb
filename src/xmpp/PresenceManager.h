// The user's own presence and shared status. It keeps the current status (available, busy,
// away, extended away), the status message (escaped once, when it is set, and written as
// kept), the invisibility flag and the three most recent status messages of each kind, and
// sends presences and the service's shared status ("google:shared-status", version 2) from
// them. The shared status goes to the user's bare id, from the full id of the bind result.
// Threading: every operation from any thread (the request thread sets the status, the
// response thread sends the initial presence, logout goes offline); the fields are guarded
// by the manager's own lock and each packet is built from a snapshot, so sends happen
// without it. Ownership: as SubManager; the manager owns its lists and message, and every
// packet gets its own copies.
#pragma once

#include "foundation/IMString.h"
#include "foundation/IMVector.h"
#include "xmpp/Presence.h"
#include "xmpp/SubManager.h"

#include <mutex>

class SharedStatusMessage;

class PresenceManager : public SubManager {
public:
    static constexpr int STATUS_AVAILABLE = 0;
    static constexpr int STATUS_BUSY = 1;
    static constexpr int STATUS_AWAY = 2;
    static constexpr int STATUS_EXTENDED_AWAY = 3;
    static constexpr int RECENT_MESSAGES = 3;

    explicit PresenceManager(Connection* connection);
    ~PresenceManager() override;

    // Asks for the shared status.
    void init();
    void sendPresence(Presence::Type type);
    void setOnlineStatus(IMString* text);
    void setBusyStatus(IMString* text);
    void setInvisibleStatus(bool on);
    void setOfflineStatus();
    void sendSubscriptionRequest(Presence::Type type, IMString* to);
    // Also forgets the status, the message and the lists.
    void clean() override;

private:
    void setStatus(int status, IMString* text);
    // Records the message in the recent list of the current kind and builds the set.
    SharedStatusMessage* newSharedStatus();
    static Presence::Status showOf(int status);
    static IMVector* copyList(IMVector* list);
    static void deleteList(IMVector*& list);

    std::mutex lock_;
    IMVector* dndList_ = nullptr;
    IMVector* defaultList_ = nullptr;
    IMString* currentStatusMessage_ = nullptr;
    int currentStatus_ = STATUS_AVAILABLE;
    bool invisible_ = false;
};
