#include "xmpp/XMPPManager.h"

#include "engine/PresenceStatus.h"
#include "foundation/IMHashMap.h"
#include "xmpp/ArchiveFin.h"
#include "xmpp/ArchiveManager.h"
#include "xmpp/ArchivedMessage.h"
#include "xmpp/BlockList.h"
#include "xmpp/ChatManager.h"
#include "xmpp/Connection.h"
#include "xmpp/Constants.h"
#include "xmpp/IQResponder.h"
#include "xmpp/LoginManager.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/NoSaveState.h"
#include "xmpp/NotificationPoster.h"
#include "xmpp/Presence.h"
#include "xmpp/PresenceManager.h"
#include "xmpp/Roster.h"
#include "xmpp/RosterManager.h"
#include "xmpp/SettingsManager.h"
#include "xmpp/ServiceSupport.h"
#include "xmpp/SharedStatusMessage.h"
#include "xmpp/HandledCount.h"
#include "xmpp/StreamAnswer.h"
#include "xmpp/VCardManager.h"
#include "xmpp/XMLReader.h"

namespace {

constexpr int SIGNIN_MAP_CAPACITY = 16;

}  // namespace

XMPPManager::XMPPManager(Connection* connection, RequestController* controller)
    : connection_(connection),
      requestController_(controller),
      loginManager_(new LoginManager(connection)),
      rosterManager_(new RosterManager(connection)),
      presenceManager_(new PresenceManager(connection, controller)),
      chatManager_(new ChatManager(connection)),
      settingsManager_(new SettingsManager(connection)),
      vCardManager_(new VCardManager(connection)),
      archiveManager_(new ArchiveManager(connection)),
      responder_(new IQResponder(connection))
{
}

XMPPManager::~XMPPManager()
{
    delete responder_;
    delete archiveManager_;
    delete vCardManager_;
    delete settingsManager_;
    delete chatManager_;
    delete presenceManager_;
    delete rosterManager_;
    delete loginManager_;
}

void XMPPManager::setReader(XMLReader* reader) { reader_ = reader; }

void XMPPManager::onEvent(Ixa::Base::Object* object, int event)
{
    if (!connection_->enterReaderEvent(reader_)) {
        delete object;
        return;
    }
    dispatch(object, event);
    connection_->leaveReaderEvent();
}

void XMPPManager::dispatch(Ixa::Base::Object* object, int event)
{
    switch (event) {
    case PRESENCE:
        processPresenceStatus(dynamic_cast<Presence*>(object));
        return;
    case ROSTER:
        processRoster(dynamic_cast<Roster*>(object));
        return;
    case USER_SETTINGS:
        processServicePayload(object, NotificationPoster::MY_DISPLAY_NAME);
        return;
    case VCARD:
        processVCard(object);
        return;
    case MESSAGE: {
        auto message = dynamic_cast<MessagePacket*>(object);
        if (message != nullptr && message->getFrom() != nullptr && message->getBody() != nullptr) {
            post(NotificationPoster::MESSAGE, message);
        } else {
            delete object;
        }
        return;
    }
    case MESSAGE_ERROR: {
        auto bounce = dynamic_cast<MessagePacket*>(object);
        if (bounce != nullptr && bounce->hasPacketID()) {
            post(NotificationPoster::MESSAGE_ERROR, bounce);
        } else {
            delete object;
        }
        return;
    }
    case NO_SAVE_STATE:
        if (auto state = dynamic_cast<NoSaveState*>(object)) {
            chatManager_->processNoSaveState(state);
        }
        delete object;
        return;
    case SHARED_STATUS:
        processServicePayload(object, NotificationPoster::SHARED_STATUS);
        return;
    case BIND_FEATURE:
        loginManager_->processResourceBind();
        return;
    case SESSION_FEATURE:
        loginManager_->processSession();
        return;
    case SM_FEATURE:
        delete object;
        loginManager_->offerStreamManagement();
        return;
    case FEATURES_END:
        delete object;
        loginManager_->onFeaturesEnd();
        return;
    case SM_ANSWER:
        processStreamAnswer(dynamic_cast<StreamAnswer*>(object));
        delete object;
        return;
    case BOUND_JID: {
        auto jid = dynamic_cast<IMString*>(object);
        if (jid == nullptr) {
            delete object;
        }
        if (loginManager_->setJID(jid)) {
            postSignIn(true);
        }
        return;
    }
    case AUTH_SUCCESS:
        loginManager_->onAuthenticationSuccess();
        return;
    case AUTH_FAILURE:
        if (loginManager_->onAuthenticationFailed()) {
            postSignIn(false);
        }
        return;
    case IGNORED:
        delete object;
        return;
    case CONNECTION_ERROR:
        delete object;
        // Everything read before the loss is handled before the loss is: that count, not the
        // last one the server asked for, is where a resumption picks up, or the server sends
        // those stanzas again.
        if (reader_ != nullptr) {
            postHandledCount(connection_->streamManagement(), reader_->stanzasRead());
        }
        connection_->notifyConnectionLost(Ixa::E_FAILURE);
        return;
    case IQ_REQUEST:
        if (auto request = dynamic_cast<IQ*>(object)) {
            responder_->answer(*request);
        }
        delete object;
        return;
    case IQ_REFUSED:
        processRefusal(dynamic_cast<IQ*>(object));
        delete object;
        return;
    case SESSION_REPLACED:
        delete object;
        connection_->sessionReplaced();
        return;
    case ARCHIVE_RESULT:
        processArchiveResult(object);
        return;
    case ARCHIVE_END:
        processArchiveEnd(object);
        return;
    case BLOCK_LIST:
        processBlockList(object);
        return;
    default:
        loginManager_->onXMPPError();
        delete object;
        return;
    }
}

void XMPPManager::processPresenceStatus(Presence* presence)
{
    if (presence == nullptr) {
        return;
    }
    switch (presence->getPresenceType()) {
    case Presence::Type::NONE:
    case Presence::Type::UNAVAILABLE:
        post(NotificationPoster::BUDDY_STATUS, presence);
        return;
    case Presence::Type::SUBSCRIBE:
    case Presence::Type::SUBSCRIBED:
    case Presence::Type::UNSUBSCRIBED:
        post(NotificationPoster::BUDDY_AUTHORIZE, presence);
        return;
    default:
        delete presence;
        return;
    }
}

void XMPPManager::processRoster(Roster* roster)
{
    if (roster == nullptr) {
        return;
    }
    if (!isFromServer(roster) || roster->getType() == IQ::Type::GET) {
        responder_->refuse(*roster);
        delete roster;
        return;
    }
    rosterManager_->processRoster(roster);
    post(NotificationPoster::BUDDY_LIST, roster);
}

// Shared status and settings count only from the server and only as a push (a set, which is
// acknowledged) or a result; anything else is refused unread, so that no one else can change
// the user's own status. The server's shared status also gives the presence manager its
// recent-status lists.
void XMPPManager::processServicePayload(Ixa::Base::Object* object, const char* name)
{
    auto payload = dynamic_cast<IQ*>(object);
    if (payload == nullptr) {
        delete object;
        return;
    }
    IQ::Type type = payload->getType();
    if (!isFromServer(payload) || (type != IQ::Type::SET && type != IQ::Type::RESULT)) {
        responder_->refuse(*payload);
        delete payload;
        return;
    }
    if (type == IQ::Type::SET) {
        responder_->acknowledge(*payload);
    }
    if (auto shared = dynamic_cast<SharedStatusMessage*>(payload)) {
        presenceManager_->takeServerStatus(*shared);
    }
    post(name, payload);
}

// Only the server speaks for its extensions. A refused shared status leaves the user's status
// to plain presence from then on.
// An archive page refused ends as an ArchiveFin of type error, for the catch-up to go on another
// way. A service extension is taken as refused for good only when the error says not to ask
// again (type cancel).
void XMPPManager::processRefusal(IQ* refusal)
{
    if (refusal == nullptr || !refusal->hasPacketID()) {
        return;
    }
    if (archiveManager_->ends(*refusal)) {
        auto end = new ArchiveFin();
        end->setType(IQ::Type::ERROR);
        end->setPacketID(new IMString(*refusal->getPacketID()));
        post(NotificationPoster::ARCHIVE_END, end);
        return;
    }
    XMPPError* error = refusal->getError();
    if (!isFromServer(refusal) || error == nullptr || error->getType() != XMPPError::Type::CANCEL) {
        return;
    }
    if (connection_->serviceSupport().refused(*refusal->getPacketID()) == ServiceSupport::SHARED_STATUS) {
        presenceManager_->sharedStatusRefused();
    }
}

// The server pushes every block and unblock to each of the account's resources, the one that
// asked included; the blocked list counts only as the answer to the client's own query.
void XMPPManager::processBlockList(Ixa::Base::Object* object)
{
    auto list = dynamic_cast<BlockList*>(object);
    if (list == nullptr) {
        delete object;
        return;
    }
    bool listed = list->getKind() == BlockList::Kind::LIST;
    bool fromServer = isFromServer(list);
    if (fromServer && listed && list->getType() == IQ::Type::RESULT && list->hasPacketID() &&
        connection_->serviceSupport().answered(ServiceSupport::BLOCKING, *list->getPacketID())) {
        post(NotificationPoster::BLOCK_LIST, list);
        return;
    }
    if (fromServer && !listed && list->getType() == IQ::Type::SET) {
        responder_->acknowledge(*list);
        post(NotificationPoster::BLOCK_LIST, list);
        return;
    }
    if (IQResponder::isRequest(*list)) {
        responder_->refuse(*list);
    }
    delete list;
}

// The client serves no vCard: only answers to its own requests are read.
void XMPPManager::processVCard(Ixa::Base::Object* object)
{
    auto vCard = dynamic_cast<IQ*>(object);
    if (vCard != nullptr && IQResponder::isRequest(*vCard)) {
        responder_->refuse(*vCard);
        delete vCard;
        return;
    }
    post(NotificationPoster::DISPLAY_IMAGE, object);
}

void XMPPManager::processArchiveResult(Ixa::Base::Object* object)
{
    auto result = dynamic_cast<ArchivedMessage*>(object);
    if (result != nullptr && archiveManager_->accepts(*result)) {
        post(NotificationPoster::ARCHIVED_MESSAGE, result);
    } else {
        delete object;
    }
}

void XMPPManager::processArchiveEnd(Ixa::Base::Object* object)
{
    auto end = dynamic_cast<ArchiveFin*>(object);
    if (end != nullptr && archiveManager_->ends(*end)) {
        post(NotificationPoster::ARCHIVE_END, end);
    } else {
        delete object;
    }
}

bool XMPPManager::isFromServer(IQ* iq)
{
    IMString* from = iq->getFrom();
    if (from == nullptr) {
        return true;
    }
    IMString* own = connection_->copyEmailID();
    bool server = from->Equals(Constants::DOMAIN, false) || (own != nullptr && from->Equals(*own, false));
    delete own;
    return server;
}

// A request for an acknowledgement is answered on the response thread, behind everything read
// before it, so the count it acknowledges covers only what the stores have committed.
void XMPPManager::processStreamAnswer(StreamAnswer* answer)
{
    if (answer == nullptr) {
        return;
    }
    StreamManagement& streams = connection_->streamManagement();
    switch (answer->kind) {
    case StreamAnswer::Kind::ENABLED:
        if (loginManager_->onEnabled(*answer)) {
            postHandledCount(streams, answer->stanzasRead);
        }
        return;
    case StreamAnswer::Kind::RESUMED:
        if (loginManager_->onResumed(*answer)) {
            postSignIn(true, true);
        }
        return;
    case StreamAnswer::Kind::FAILED:
        loginManager_->onStreamManagementFailed(*answer);
        return;
    case StreamAnswer::Kind::ACK_REQUEST:
        postHandledCount(streams, answer->stanzasRead);
        return;
    case StreamAnswer::Kind::ACK:
        if (answer->hasCount) {
            streams.acknowledged(answer->count);
        }
        return;
    }
}

void XMPPManager::postHandledCount(StreamManagement& streams, std::uint32_t stanzasRead)
{
    std::uint32_t count = 0;
    std::uint64_t epoch = 0;
    if (streams.handledAt(stanzasRead, &count, &epoch)) {
        connection_->postWhileConnected(NotificationPoster::STREAM_HANDLED, new HandledCount(count, epoch));
    }
}

// A success is posted only while the connection stands: once its loss has been reported, the
// engine is dealing with the error and must not see the user signed in.
void XMPPManager::postSignIn(bool success, bool resumed)
{
    auto outcome = new IMHashMap();
    outcome->construct(SIGNIN_MAP_CAPACITY);
    outcome->add(new IMString("isSignInSuccess"), new IMBoolean(success));
    if (!success) {
        post(NotificationPoster::SIGNIN, outcome);
        return;
    }
    outcome->add(new IMString("isResumed"), new IMBoolean(resumed));
    outcome->add(new IMString("initialPresence"), new PresenceStatus(PresenceStatus::AVAILABLE));
    connection_->postWhileConnected(NotificationPoster::SIGNIN, outcome);
}

void XMPPManager::post(const char* name, Ixa::Base::Object* object)
{
    if (object != nullptr) {
        NotificationPoster::post(requestController_, name, object);
    }
}

void XMPPManager::init()
{
    if (cleaned_) {
        return;
    }
    presenceManager_->init();
    chatManager_->init();
    settingsManager_->init();
    rosterManager_->askBlockList();
}

void XMPPManager::clean()
{
    loginManager_->clean();
    rosterManager_->clean();
    presenceManager_->clean();
    chatManager_->clean();
    settingsManager_->clean();
    vCardManager_->clean();
    archiveManager_->clean();
    responder_->clean();
    cleaned_ = true;
}

ChatManager* XMPPManager::getChatManager() { return cleaned_ ? nullptr : chatManager_; }

PresenceManager* XMPPManager::getPresenceManager() { return cleaned_ ? nullptr : presenceManager_; }

LoginManager* XMPPManager::getLoginManager() { return cleaned_ ? nullptr : loginManager_; }

RosterManager* XMPPManager::getRosterManager() { return cleaned_ ? nullptr : rosterManager_; }

SettingsManager* XMPPManager::getSettingsManager() { return cleaned_ ? nullptr : settingsManager_; }

VCardManager* XMPPManager::getVCardManager() { return cleaned_ ? nullptr : vCardManager_; }

ArchiveManager* XMPPManager::getArchiveManager() { return cleaned_ ? nullptr : archiveManager_; }
