// The protocol engine's face towards the service engine. As the reader's listener it turns
// every stream event into a step of the sign-in (LoginManager) or a named notification on the
// request controller's response queue; through the connection's getters it offers the
// sub-managers whose operations build and send stanzas.
//
// The bind result's full id is kept (the reader delivers the jid text with its event), so
// the stanzas that name the user carry it; the queries the service answers for the account
// (shared status, settings) go to the bare id, since an iq to the client's own full id would
// be routed back to the client itself.
//
// A successful sign-in is posted only while the connection stands (Connection::
// postWhileConnected): the reader may still be reading the bind result when the socket thread
// reports the connection lost, and the engine must not see the user signed in after that.
//
// Rosters are accepted only from the server: without a sender, or from the user's own bare
// id or the service's domain; others are dropped unread. Shared status and settings likewise,
// and only as a set or a result. Every get or set addressed to the client is answered
// (IQResponder).
//
// An iq error of type cancel from the server that answers one of the service-extension queries
// marks that extension refused (ServiceSupport); the queries for it are not made again.
//
// The standard blocking command: the blocked list is passed on ("blockList") only as the
// server's result to the query asked (which marks the command supported), a block or unblock
// only as the server's push (a set, acknowledged); anything else of it is refused or dropped.
//
// Stream management: the offer and the server's answers drive the login manager; a request
// for an acknowledgement becomes a "streamHandled" notification carrying the count, so that
// the response thread acknowledges it once everything read before it has been handled.
// Archive results and page ends are passed on ("archivedMessage", "archiveEnd") only when
// the archive manager accepts them: from the user's own server, for a page it asked.
//
// A message of type error is passed on ("messageError") only when it carries an id, the id
// of the chat message it answers; without one it names nothing and is dropped.
//
// Threading: onEvent runs on the reader thread and holds the connection lock for its whole
// body; it gives up at once, dropping the object, when its reader has been closed while it
// waited for the lock. init runs under the connection lock; clean under it too. The getters
// answer null once cleaned.
// Ownership: the manager owns its sub-managers (kept, inert, after clean until the manager
// goes) and every object the reader hands it, until it passes one on in a notification; it
// borrows the connection, the controller and the reader.
#pragma once

#include "xmpp/XMPPListener.h"

#include <atomic>
#include <cstdint>

class ArchiveManager;
class ChatManager;
class IQ;
class IQResponder;
class Connection;
class LoginManager;
class Presence;
class PresenceManager;
class RequestController;
class Roster;
class RosterManager;
class SettingsManager;
class StreamAnswer;
class StreamManagement;
class VCardManager;
class XMLReader;

class XMPPManager : public XMPPListener {
public:
    // Events that no reader raises but the manager understands.
    static constexpr int NO_SAVE_STATE = 7;  // a NoSaveState
    static constexpr int IGNORED = 17;

    XMPPManager(Connection* connection, RequestController* controller);
    ~XMPPManager() override;

    XMPPManager(const XMPPManager&) = delete;
    XMPPManager& operator=(const XMPPManager&) = delete;

    // The reader whose events come here; onEvent gives up once it has been closed.
    void setReader(XMLReader* reader);
    void onEvent(Ixa::Base::Object* object, int event) override;
    // The requests made once signed in: shared status, off-the-record settings, user settings,
    // the blocked list.
    void init();
    void clean();

    ChatManager* getChatManager();
    PresenceManager* getPresenceManager();
    LoginManager* getLoginManager();
    RosterManager* getRosterManager();
    SettingsManager* getSettingsManager();
    VCardManager* getVCardManager();
    ArchiveManager* getArchiveManager();

private:
    void dispatch(Ixa::Base::Object* object, int event);
    void processPresenceStatus(Presence* presence);
    void processRoster(Roster* roster);
    void processServicePayload(Ixa::Base::Object* object, const char* name);
    void processRefusal(IQ* refusal);
    void processBlockList(Ixa::Base::Object* object);
    void processVCard(Ixa::Base::Object* object);
    void processArchiveResult(Ixa::Base::Object* object);
    void processArchiveEnd(Ixa::Base::Object* object);
    bool isFromServer(IQ* iq);
    void processStreamAnswer(StreamAnswer* answer);
    void postHandledCount(StreamManagement& streams, std::uint32_t stanzasRead);
    void postSignIn(bool success, bool resumed = false);
    void post(const char* name, Ixa::Base::Object* object);

    Connection* connection_;
    RequestController* requestController_;
    XMLReader* reader_ = nullptr;
    LoginManager* loginManager_;
    RosterManager* rosterManager_;
    PresenceManager* presenceManager_;
    ChatManager* chatManager_;
    SettingsManager* settingsManager_;
    VCardManager* vCardManager_;
    ArchiveManager* archiveManager_;
    IQResponder* responder_;
    // Written under the connection lock; read by the getters from any thread.
    std::atomic<bool> cleaned_{false};
};
