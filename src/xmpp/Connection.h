// One sign-in to the service: the TLS socket, the stanza writer, the reader thread and the
// XMPP manager with its sub-managers. The request controller creates one connection for the
// life of the program; commands call login, logout, init and closeConnection, and the managers
// send every stanza through sendPacket. Connecting runs on the connection's own thread, so the
// command thread is not held up by name resolution and the TLS handshake; failures and losses
// reach the engine as "connectionError" notifications.
//
// Threads and locks:
// - The connection lock (re-entrant, ConnectionLock) guards connecting, closing, logout,
//   init and every reader event (XMPPManager::onEvent). A logout lets it go while it waits
//   (at most LOGOUT_GRACE) for the server to close its stream, so the reader can still hand
//   on what the server sent meanwhile; it is the logout's caller's thread that waits. Logout and close hold it while they
//   wait for the reader thread to end; a reader event waiting for the lock gives up as soon
//   as its reader has been closed, so the two never wait for each other. On the reader
//   thread itself (closing after a refused sign-in) nothing waits for the reader.
// - Sends take no connection lock: sendPacket holds a shared lock over the writer and the
//   socket, and teardown first closes the socket (which fails every pending send at once),
//   then takes that lock exclusively to delete them, so no write is ever left on a deleted
//   stream.
// - A lost connection reaches the engine in stream order: the socket thread queues the loss
//   behind the bytes it received, and the reader reports it (notifyConnectionLost, on the
//   reader thread) once everything before it has been handed on. The report takes only the
//   short lock that orders it with a successful sign-in, so the engine never sees the user
//   signed in after it has been told the connection is gone.
// - A logout, a new login or the end of the program while the connection thread is still
//   connecting closes the socket being connected (or keeps a connect about to begin from
//   starting), which cuts the connect short without a "connectionError". A new login then
//   closes whatever is left of the earlier attempt before it starts; every
//   "connectionError" carries its attempt's number, so a late one is recognised as stale.
// - The account strings (user name, password, bare and full id) are guarded by a lock of
//   their own; the getters lend pointers that stay valid until the next login (user name,
//   password, bare id) or the next bind result (full id).
// - login never re-constructs the thread while an earlier attempt is still running: it
//   aborts that attempt and waits for it to end first.
// - A cleaned XMPP manager is inert (its sub-manager getters answer null, and sub-managers
//   fetched before send nothing); the next login retires it to the response thread, which
//   deletes it after every handler that might still hold it has run.
//
// Ownership: the connection owns its socket, writer, reader, manager, lock and account
// strings; it borrows the request controller.
#pragma once

#include "foundation/IMString.h"
#include "foundation/IMThread.h"
#include "net/ConnectionLossListener.h"
#include "xmpp/ConnectionLock.h"
#include "xmpp/ArchivePages.h"
#include "xmpp/BlockedIds.h"
#include "xmpp/ServiceSupport.h"
#include "xmpp/StreamManagement.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <vector>

class ArchiveManager;
class ChatManager;
class IMSecureSocket;
class KeepAlive;
class Packet;
class PresenceManager;
class RequestController;
class RosterManager;
class SettingsManager;
class StreamAnswer;
class VCardManager;
class XMLReader;
class XMPPManager;
class XMPPWriter;

class Connection : public IMThread, public ConnectionLossListener {
public:
    static constexpr int STATE_CLOSED = -2;
    static constexpr int STATE_AUTHENTICATED = 0;
    // How long a logout waits for the server to close its stream; at the program's end, less.
    static constexpr std::chrono::milliseconds LOGOUT_GRACE{2000};
    static constexpr std::chrono::milliseconds QUIT_GRACE{1000};

    // What a "connectionError" means by the time its handler gets to it.
    enum class LossKind {
        // From an earlier attempt, or after the user signed out: nothing to report or close.
        STALE,
        // Before the sign-in completed.
        SIGN_IN_FAILED,
        // A signed-in session ended; the next login counts as a first login again.
        SESSION_LOST,
        // The server ended the connection instead of answering the <resume/> of a kept
        // session: the session is forgotten, and a sign-in tried again at once starts afresh.
        RESUME_REFUSED,
        // The server ended a signed-in session because another sign-in of the account took
        // it over: coming back would take it back in turn, so the session ends for good.
        REPLACED,
    };

    explicit Connection(RequestController* controller);
    ~Connection() override;

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The server to connect to: Constants::HOST and Constants::PORT unless set here (tests
    // and tools point the connection at a local server). The host's name is also the name
    // the server's certificate must carry.
    void setServerAddress(const IMString& host, int port);

    // Keeps the local part of `user` (cutting it off in the caller's string) and the password,
    // and starts the connection's thread.
    void login(IMString* user, IMString* password);
    Ixa::Base::Object* Run() override;
    void startConnection();
    // Sends the stream header and the authentication element.
    void login();
    // Says goodbye (unavailable presence, closing tag), waits at most `grace` for the
    // server's end of the stream while still handling what it sends, and closes.
    void logout(std::chrono::milliseconds grace = LOGOUT_GRACE);
    void closeConnection();
    // At shutdown: signs out (QUIT_GRACE) when connected, otherwise cuts a connect short;
    // then releases the packet-id prefix.
    void endConnection();
    // The requests made once the user is signed in (XMPPManager::init).
    void init();

    // The writer takes the packet, sent or not. With stream management on, a stanza is kept
    // until the server acknowledges it (and counts as sent even when the write failed, since
    // it goes out again after the loss), and the server is asked for an acknowledgement when
    // none is outstanding.
    void sendPacket(Packet* packet);
    void sendPacket(Packet* packet, unsigned long* result);

    // Watches the signed-in connection for a stall (KeepAlive); the bounds are for tests.
    void watchConnection();
    void setKeepAliveBounds(std::chrono::milliseconds idle, std::chrono::milliseconds wait);
    // The account's stream-management state; it outlives each connection, so the next one
    // can resume the session.
    StreamManagement& streamManagement();
    // The archive pages asked for and not yet ended, across the connection's attempts.
    ArchivePages& archivePages();
    // The service extensions the server has refused, across the connection's attempts.
    ServiceSupport& serviceSupport();
    // The ids the server's blocking command holds blocked, across the connection's attempts.
    BlockedIds& blockedIds();
    // After <resumed/>: what the server did not acknowledge goes out again, in order.
    void resendAfterResumption(const StreamAnswer& answer);
    // The session is bound or resumed. Until then a stanza would reach a server that has not
    // signed the user in (and ends the stream for it), so stanzas sent since the connection
    // began were held (chat messages fail instead, see writeXml); now the chats an
    // unresumable session left unacknowledged go out, then what was held, in order.
    void sessionReady();
    // A step of the sign-in itself (the bind, the session), which goes out before it is ready.
    void sendSignInStep(Packet* packet);
    // Everything read up to the count has been committed to the stores: acknowledges it to
    // the server. False (nothing sent) when the count belongs to an earlier session.
    bool acknowledgeHandled(std::uint32_t count, std::uint64_t epoch);

    IMString* getUserName();
    IMString* getUserJID();
    IMString* getEmailID();
    // Takes `jid`, the full id from the bind result (null for none).
    void setUserJID(IMString* jid);
    // New copies for stanza fields (null when unset), owned by the caller.
    IMString* copyUserJID();
    IMString* copyEmailID();

    bool isInitialized();
    bool isInitialLogin();
    void setInitialLogin(bool initialLogin);
    void setState(int state);
    int getConnectionState() override;
    void startXMPPThread();
    void stopXMPPThread();

    ChatManager* getChatManager();
    RosterManager* getRosterManager();
    PresenceManager* getPresenceManager();
    SettingsManager* getSettingsManager();
    VCardManager* getVCardManager();
    ArchiveManager* getArchiveManager();
    // Around a reader event: takes the connection lock, unless `reader` (null: none) is
    // closed before it gets it; false then, and the event is to be dropped.
    bool enterReaderEvent(XMLReader* reader);
    void leaveReaderEvent();

    // The connection can no longer be read (lost, or a stream beyond the reader's limits):
    // "connectionError", unless the client is ending the stream itself.
    void notifyConnectionLost(unsigned long result);
    // Decides, together with the sign-out and the sign-in handler's setInitialLogin, what the
    // "connectionError" carrying `attempt` (the object it was posted with) means.
    LossKind classifyLoss(Ixa::Base::Object* attempt);
    // On the reader thread: the server says another sign-in took this attempt's session; the
    // close that follows is its loss.
    void sessionReplaced();
    // Posts a notification unless the connection has been reported lost (then the object is
    // deleted): the loss and what is posted here reach the engine in the order they happened.
    void postWhileConnected(const char* name, Ixa::Base::Object* object);

private:
    void connected();
    void connectFailed();
    void notifyConnectionError();
    void retirePreviousAttempt();
    void abortConnect();
    XMLReader* closeStream();
    // Stops the reader and, off the reader thread, waits for its thread to end (lock held).
    void stopReader();
    // Closes and deletes the socket and deletes the writer (lock held).
    void dropSocket();
    void replaceAccount(IMString* user, IMString* password);
    // Writes `xml` (sendLock_ held shared), keeping it for stream management when it is a
    // stanza; the order lock makes the kept order the order on the wire.
    void writeXml(const IMString& xml, bool stanza, bool chat, unsigned long* result);
    // The write itself (orderLock_ held, sendLock_ held shared).
    void writeInOrder(const IMString& xml, bool stanza, bool chat, unsigned long* result);
    // One of the manager's sub-managers, read under the connection lock.
    template <typename Manager>
    Manager* subManager(Manager* (XMPPManager::*get)());

    RequestController* requestController_;
    ConnectionLock lock_;
    // Under lock_; socket_ and writer_ change only with sendLock_ held exclusively too.
    IMSecureSocket* socket_ = nullptr;
    XMPPWriter* writer_ = nullptr;
    XMLReader* reader_ = nullptr;
    XMPPManager* manager_ = nullptr;
    std::shared_mutex sendLock_;
    std::mutex orderLock_;
    // Under orderLock_; reset, with sendLock_ held exclusively, whenever the writer changes.
    bool sessionReady_ = false;
    std::vector<std::string> held_;
    StreamManagement streams_;
    ArchivePages archivePages_;
    ServiceSupport serviceSupport_;
    BlockedIds blockedIds_;

    // The socket being connected, for a logout to cut the connect short; whether the attempt
    // was aborted before it began connecting; and the number of the attempt, which every
    // "connectionError" carries so that one from an earlier attempt is told apart.
    std::mutex connectingLock_;
    IMSecureSocket* connecting_ = nullptr;
    bool connectAborted_ = false;
    std::atomic<int> attempt_{0};
    // The attempt whose connection ended while its <resume/> had no answer.
    std::atomic<int> resumeRefusedIn_{-1};
    // The attempt whose session another sign-in took.
    std::atomic<int> replacedIn_{-1};

    // Orders the loss report with postWhileConnected.
    std::mutex postLock_;

    std::mutex accountLock_;
    IMString host_;
    int port_;
    IMString* userName_ = nullptr;
    IMString* password_ = nullptr;
    IMString* emailID_ = nullptr;
    IMString* userJID_ = nullptr;

    std::atomic<bool> initialLogin_{true};
    std::atomic<bool> connected_{false};
    std::atomic<bool> logoutRequested_{false};
    std::atomic<int> state_{STATE_CLOSED};
    // Last, so that its thread, which sends through the members above, goes first.
    std::unique_ptr<KeepAlive> keepAlive_;
};
