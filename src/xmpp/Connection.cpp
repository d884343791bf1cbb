#include "xmpp/Connection.h"

#include "foundation/IMInteger.h"
#include "foundation/Util.h"
#include "net/IMSecureSocket.h"
#include "xmpp/Constants.h"
#include "xmpp/KeepAlive.h"
#include "xmpp/LoginManager.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/NotificationPoster.h"
#include "xmpp/Ping.h"
#include "xmpp/PresenceManager.h"
#include "xmpp/Stream.h"
#include "xmpp/StreamAnswer.h"
#include "xmpp/StreamElement.h"
#include "xmpp/TextCopy.h"
#include "xmpp/XMLReader.h"
#include "xmpp/XMPPManager.h"
#include "xmpp/XMPPWriter.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// Carries a retired manager to the response thread, which deletes it.
class RetiredManager : public Ixa::Base::Object {
public:
    explicit RetiredManager(XMPPManager* manager) : manager_(manager) {}
    ~RetiredManager() override { delete manager_; }

    RetiredManager(const RetiredManager&) = delete;
    RetiredManager& operator=(const RetiredManager&) = delete;

private:
    XMPPManager* manager_;
};

}  // namespace

Connection::Connection(RequestController* controller)
    : requestController_(controller), manager_(new XMPPManager(this, controller)), host_(Constants::HOST),
      port_(Constants::PORT), keepAlive_(std::make_unique<KeepAlive>([this] { sendPacket(new Ping()); }))
{
}

Connection::~Connection()
{
    abortConnect();
    Join();
    closeConnection();
    delete reader_;
    delete manager_;
    delete userName_;
    delete password_;
    delete emailID_;
    delete userJID_;
}

void Connection::setServerAddress(const IMString& host, int port)
{
    std::lock_guard<std::mutex> guard(accountLock_);
    host_ = host;
    port_ = port;
}

// Whatever is left of an earlier attempt goes first: a connect still under way is cut short,
// its thread joined, and its socket, reader and writer closed, so the new attempt never fails
// because of the old one and the old one reports nothing more.
void Connection::login(IMString* user, IMString* password)
{
    abortConnect();
    Join();
    closeConnection();
    retirePreviousAttempt();
    replaceAccount(user, password);
    {
        std::lock_guard<std::mutex> connecting(connectingLock_);
        connectAborted_ = false;
        ++attempt_;
    }
    if (Ixa::IsFailed(Start())) {
        construct();
        Start();
    }
}

void Connection::replaceAccount(IMString* user, IMString* password)
{
    Util::parseUserName(user);
    std::lock_guard<std::mutex> guard(accountLock_);
    delete userName_;
    userName_ = new IMString(user != nullptr ? *user : IMString());
    delete password_;
    password_ = new IMString(password != nullptr ? *password : IMString());
    delete emailID_;
    emailID_ = new IMString(*userName_);
    emailID_->Append(Constants::AT);
    emailID_->Append(Constants::DOMAIN);
}

Ixa::Base::Object* Connection::Run()
{
    startConnection();
    return nullptr;
}

void Connection::startConnection()
{
    std::lock_guard<ConnectionLock> guard(lock_);
    if (socket_ != nullptr) {
        notifyConnectionError();
        return;
    }
    socket_ = new IMSecureSocket();
    socket_->setConnectionObject(this);
    IMString host;
    int port = 0;
    {
        std::lock_guard<std::mutex> account(accountLock_);
        host = host_;
        port = port_;
    }
    {
        std::lock_guard<std::mutex> connecting(connectingLock_);
        if (connectAborted_) {
            socket_->Close();
        } else {
            logoutRequested_ = false;
        }
        connecting_ = socket_;
    }
    int outcome = socket_->Connect(host, port);
    {
        std::lock_guard<std::mutex> connecting(connectingLock_);
        connecting_ = nullptr;
    }
    if (outcome == 0 && !logoutRequested_) {
        connected();
    } else {
        connectFailed();
    }
}

// The reader of the attempt before has been stopped and joined by the close. Its manager
// may still be in use by a handler on the response thread, so it is deleted there, behind
// every notification posted so far; a command that could use it cannot run meanwhile, since
// a login runs on the request thread itself.
void Connection::retirePreviousAttempt()
{
    XMLReader* reader = nullptr;
    XMPPManager* manager = nullptr;
    {
        std::lock_guard<ConnectionLock> guard(lock_);
        std::swap(reader, reader_);
        std::swap(manager, manager_);
    }
    delete reader;
    if (manager != nullptr) {
        NotificationPoster::dispose(requestController_, new RetiredManager(manager));
    }
}

// A loss reported between the connect and this point is not overwritten: the engine has been
// told already and closes the connection.
void Connection::connected()
{
    {
        std::lock_guard<std::mutex> guard(postLock_);
        connected_ = socket_->isConnected();
    }
    manager_ = new XMPPManager(this, requestController_);
    streams_.beginConnection();
    {
        std::unique_lock<std::shared_mutex> sending(sendLock_);
        sessionReady_ = false;
        writer_ = new XMPPWriter(socket_->getSocketOutputStream());
    }
    reader_ = new XMLReader(socket_->getSocketInputStream(), manager_);
    manager_->setReader(reader_);
    login();
    startXMPPThread();
    reader_->Start();
}

// The socket object stays until closeConnection; a logout that cut the connect short is no
// connection error.
void Connection::connectFailed()
{
    connected_ = false;
    socket_->Close();
    if (!logoutRequested_) {
        notifyConnectionError();
    }
}

void Connection::login()
{
    IMString* userName = nullptr;
    IMString* password = nullptr;
    {
        std::lock_guard<std::mutex> guard(accountLock_);
        userName = TextCopy::of(userName_);
        password = TextCopy::of(password_);
    }
    if (LoginManager* login = manager_ != nullptr ? manager_->getLoginManager() : nullptr) {
        login->authenticate(userName, password);
    }
    delete userName;
    delete password;
}

// From the start of a logout a loss is no error: the client is ending the stream itself. A
// connect that has not begun yet is aborted as well, so it never starts.
void Connection::abortConnect()
{
    std::lock_guard<std::mutex> connecting(connectingLock_);
    logoutRequested_ = true;
    connectAborted_ = true;
    if (connecting_ != nullptr) {
        connecting_->Close();
    }
}

// The server's answer to the closing tag may still bring stanzas (a message sent as the
// user signed out): the reader goes on handling them, without the connection lock, until
// the server's stream ends or `grace` has passed.
void Connection::logout(std::chrono::milliseconds grace)
{
    keepAlive_->stop();
    abortConnect();
    XMLReader* reader = closeStream();
    if (reader != nullptr) {
        reader->waitForStreamEnd(grace);
    }
    std::lock_guard<ConnectionLock> guard(lock_);
    stopReader();
    if (manager_ != nullptr) {
        manager_->clean();
    }
    dropSocket();
    {
        // The user has left: what waited for a session has no session to go to.
        std::unique_lock<std::shared_mutex> sending(sendLock_);
        held_.clear();
    }
    connected_ = false;
    state_ = STATE_CLOSED;
}

// Says goodbye (unavailable presence, closing tag) and stops the writer; answers the reader
// that is still to see the server's end of the stream, if any.
XMLReader* Connection::closeStream()
{
    std::lock_guard<ConnectionLock> guard(lock_);
    if (socket_ != nullptr) {
        socket_->setlogOutRequest(true);
    }
    if (writer_ == nullptr) {
        return nullptr;
    }
    if (PresenceManager* presence = manager_ != nullptr ? manager_->getPresenceManager() : nullptr) {
        presence->setOfflineStatus();
    }
    bool sent = false;
    if (socket_ != nullptr) {
        unsigned long result = Ixa::E_FAILURE;
        sendPacket(new Stream(false), &result);
        sent = Ixa::IsSucceeded(result);
    }
    stopXMPPThread();
    writer_->close();
    return sent && connected_ ? reader_ : nullptr;
}

void Connection::closeConnection()
{
    std::lock_guard<ConnectionLock> guard(lock_);
    keepAlive_->stop();
    if (writer_ != nullptr) {
        stopXMPPThread();
        writer_->close();
    }
    stopReader();
    if (manager_ != nullptr) {
        manager_->clean();
    }
    dropSocket();
    connected_ = false;
    state_ = STATE_CLOSED;
}

void Connection::stopReader()
{
    if (reader_ == nullptr) {
        return;
    }
    reader_->close();
    lock_.wakeWaiters();
    reader_->waitUntilFinished();
}

void Connection::dropSocket()
{
    if (socket_ != nullptr) {
        socket_->Close();
    }
    std::unique_lock<std::shared_mutex> sending(sendLock_);
    sessionReady_ = false;
    delete writer_;
    writer_ = nullptr;
    delete socket_;
    socket_ = nullptr;
}

// The program is ending the way a sign-out does, with a shorter wait for the server; a
// connect in progress is cut short first (it holds the connection lock until it ends).
void Connection::endConnection()
{
    if (connected_) {
        logout(QUIT_GRACE);
    } else {
        abortConnect();
    }
    Packet::releaseIDPrefix();
}

void Connection::init()
{
    std::lock_guard<ConnectionLock> guard(lock_);
    if (manager_ != nullptr) {
        manager_->init();
    }
}

void Connection::sendPacket(Packet* packet)
{
    unsigned long ignored = Ixa::E_SUCCESS;
    sendPacket(packet, &ignored);
}

void Connection::sendPacket(Packet* packet, unsigned long* result)
{
    std::unique_ptr<Packet> owned(packet);
    std::unique_ptr<IMString> xml(owned->getXML());
    if (xml == nullptr) {
        return;
    }
    auto message = dynamic_cast<MessagePacket*>(owned.get());
    const bool chat = message != nullptr && message->getBody() != nullptr;
    std::shared_lock<std::shared_mutex> sending(sendLock_);
    writeXml(*xml, owned->isStanza(), chat, result);
}

// Bind and session are stanzas, yet part of the sign-in: they go out unheld, and unkept (stream
// management is enabled only after them).
void Connection::sendSignInStep(Packet* packet)
{
    std::unique_ptr<Packet> owned(packet);
    std::unique_ptr<IMString> xml(owned->getXML());
    if (xml == nullptr) {
        return;
    }
    std::shared_lock<std::shared_mutex> sending(sendLock_);
    std::lock_guard<std::mutex> order(orderLock_);
    unsigned long ignored = Ixa::E_SUCCESS;
    writeInOrder(*xml, false, false, &ignored);
}

void Connection::writeXml(const IMString& xml, bool stanza, bool chat, unsigned long* result)
{
    std::lock_guard<std::mutex> order(orderLock_);
    if (stanza && !sessionReady_) {
        // A chat message fails instead: its sender holds it for the session's return, or
        // marks it failed when there is none to come.
        if (chat) {
            *result = Ixa::E_FAILURE;
            return;
        }
        held_.push_back(xml.ToUtf8());
        *result = Ixa::E_SUCCESS;
        return;
    }
    writeInOrder(xml, stanza, chat, result);
}

void Connection::writeInOrder(const IMString& xml, bool stanza, bool chat, unsigned long* result)
{
    if (writer_ == nullptr) {
        return;
    }
    const bool kept = stanza && streams_.isTracking();
    const bool ask = kept && streams_.track(xml.ToUtf8(), chat);
    writer_->writeText(xml, result);
    // A kept stanza is stream management's to deliver from now on: sent again on resumption,
    // or (a chat message) on the next session; for its sender it has gone out.
    if (kept) {
        *result = Ixa::E_SUCCESS;
    }
    if (ask) {
        std::unique_ptr<Packet> request(StreamElement::requestAcknowledgement());
        std::unique_ptr<IMString> text(request->getXML());
        unsigned long ignored = Ixa::E_SUCCESS;
        writer_->writeText(*text, &ignored);
    }
}

StreamManagement& Connection::streamManagement() { return streams_; }

ArchivePages& Connection::archivePages() { return archivePages_; }

ServiceSupport& Connection::serviceSupport() { return serviceSupport_; }

BlockedIds& Connection::blockedIds() { return blockedIds_; }

// On the reader thread, under the connection lock, once signed in.
void Connection::watchConnection()
{
    if (socket_ != nullptr) {
        keepAlive_->watch(socket_->getSocketInputStream());
    }
}

void Connection::setKeepAliveBounds(std::chrono::milliseconds idle, std::chrono::milliseconds wait)
{
    keepAlive_->setBounds(idle, wait);
}

// On the reader thread, under the connection lock, before any other stanza goes out on the
// resumed stream.
void Connection::resendAfterResumption(const StreamAnswer& answer)
{
    const std::uint32_t serverHandled = answer.hasCount ? answer.count : 0;
    std::vector<std::string> again = streams_.resumed(serverHandled, answer.stanzasRead);
    std::shared_lock<std::shared_mutex> sending(sendLock_);
    if (writer_ == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> order(orderLock_);
    for (const std::string& xml : again) {
        unsigned long ignored = Ixa::E_SUCCESS;
        writer_->writeText(IMString(xml.c_str()), &ignored);
    }
}

void Connection::sessionReady()
{
    std::shared_lock<std::shared_mutex> sending(sendLock_);
    std::lock_guard<std::mutex> order(orderLock_);
    sessionReady_ = true;
    unsigned long ignored = Ixa::E_SUCCESS;
    for (const std::string& xml : streams_.takePendingChats()) {
        writeInOrder(IMString(xml.c_str()), true, true, &ignored);
    }
    for (const std::string& xml : held_) {
        writeInOrder(IMString(xml.c_str()), true, false, &ignored);
    }
    held_.clear();
}

bool Connection::acknowledgeHandled(std::uint32_t count, std::uint64_t epoch)
{
    if (!streams_.handled(count, epoch)) {
        return false;
    }
    sendPacket(StreamElement::acknowledge(count));
    return true;
}

IMString* Connection::getUserName() { return userName_; }

IMString* Connection::getUserJID() { return userJID_; }

IMString* Connection::getEmailID() { return emailID_; }

void Connection::setUserJID(IMString* jid)
{
    std::lock_guard<std::mutex> guard(accountLock_);
    if (jid != userJID_) {
        delete userJID_;
        userJID_ = jid;
    }
}

IMString* Connection::copyUserJID()
{
    std::lock_guard<std::mutex> guard(accountLock_);
    return TextCopy::of(userJID_);
}

IMString* Connection::copyEmailID()
{
    std::lock_guard<std::mutex> guard(accountLock_);
    return TextCopy::of(emailID_);
}

bool Connection::isInitialized() { return connected_; }

bool Connection::isInitialLogin() { return initialLogin_; }

void Connection::setInitialLogin(bool initialLogin) { initialLogin_ = initialLogin; }

void Connection::setState(int state) { state_ = state; }

int Connection::getConnectionState() { return state_; }

void Connection::startXMPPThread()
{
    if (reader_ != nullptr) {
        reader_->setReaderThreadStatus(true);
    }
    if (writer_ != nullptr) {
        writer_->setWriterThreadStatus(true);
    }
}

void Connection::stopXMPPThread()
{
    if (writer_ != nullptr) {
        writer_->setWriterThreadStatus(false);
    }
}

template <typename Manager>
Manager* Connection::subManager(Manager* (XMPPManager::*get)())
{
    std::lock_guard<ConnectionLock> guard(lock_);
    return manager_ != nullptr ? (manager_->*get)() : nullptr;
}

ChatManager* Connection::getChatManager() { return subManager(&XMPPManager::getChatManager); }
RosterManager* Connection::getRosterManager() { return subManager(&XMPPManager::getRosterManager); }
PresenceManager* Connection::getPresenceManager() { return subManager(&XMPPManager::getPresenceManager); }
SettingsManager* Connection::getSettingsManager() { return subManager(&XMPPManager::getSettingsManager); }
VCardManager* Connection::getVCardManager() { return subManager(&XMPPManager::getVCardManager); }
ArchiveManager* Connection::getArchiveManager() { return subManager(&XMPPManager::getArchiveManager); }

bool Connection::enterReaderEvent(XMLReader* reader)
{
    return lock_.lockUnless([reader] { return reader != nullptr && !reader->isReaderThreadRunning(); });
}

void Connection::leaveReaderEvent() { lock_.unlock(); }

// On the reader thread, inside a reader event.
void Connection::notifyConnectionLost(unsigned long)
{
    std::lock_guard<std::mutex> guard(postLock_);
    connected_ = false;
    if (streams_.resumeCutShort()) {
        resumeRefusedIn_ = attempt_.load();
    }
    if (!logoutRequested_) {
        notifyConnectionError();
    }
}

void Connection::sessionReplaced() { replacedIn_ = attempt_.load(); }

void Connection::postWhileConnected(const char* name, Ixa::Base::Object* object)
{
    std::lock_guard<std::mutex> guard(postLock_);
    if (connected_) {
        NotificationPoster::post(requestController_, name, object);
    } else {
        delete object;
    }
}

void Connection::notifyConnectionError()
{
    NotificationPoster::post(requestController_, NotificationPoster::CONNECTION_ERROR, new IMInteger(attempt_));
}

Connection::LossKind Connection::classifyLoss(Ixa::Base::Object* attempt)
{
    auto number = dynamic_cast<IMInteger*>(attempt);
    std::lock_guard<std::mutex> connecting(connectingLock_);
    if ((number != nullptr && number->ToInt() != attempt_) || logoutRequested_) {
        return LossKind::STALE;
    }
    if (initialLogin_) {
        return resumeRefusedIn_ == attempt_ ? LossKind::RESUME_REFUSED : LossKind::SIGN_IN_FAILED;
    }
    initialLogin_ = true;
    return replacedIn_ == attempt_ ? LossKind::REPLACED : LossKind::SESSION_LOST;
}
