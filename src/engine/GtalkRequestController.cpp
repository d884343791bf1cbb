#include "engine/GtalkRequestController.h"

#include "engine/FetchArchiveCommand.h"

#include "engine/AddContactCommand.h"
#include "engine/AllowPresenceShareCommand.h"
#include "engine/ArchiveEndHandler.h"
#include "engine/ArchivedMessageHandler.h"
#include "engine/BlockListHandler.h"
#include "engine/BuddyAuthorizeHandler.h"
#include "engine/BuddyInfoHandler.h"
#include "engine/BuddyStatusHandler.h"
#include "engine/ConnectionErrorHandler.h"
#include "engine/DeleteContactCommand.h"
#include "engine/DenyPresenceShareCommand.h"
#include "engine/DisconnectHandler.h"
#include "engine/DisplayImageChangedHandler.h"
#include "engine/EngineAccess.h"
#include "engine/IgnoreUserCommand.h"
#include "engine/MessageBounceHandler.h"
#include "engine/RefreshIgnoreListCommand.h"
#include "engine/RefreshListCommand.h"
#include "engine/RefreshListHandler.h"
#include "engine/RenameContactCommand.h"
#include "engine/SelfDisplayNameHandler.h"
#include "engine/SendChatCommand.h"
#include "engine/SetPresenceCommand.h"
#include "engine/SharedStatusMessageHandler.h"
#include "engine/SignInCommand.h"
#include "engine/SignInHandler.h"
#include "engine/SignOutCommand.h"
#include "engine/StreamHandledHandler.h"
#include "engine/TextMessageHandler.h"
#include "engine/UnignoreUserCommand.h"
#include "store/Group.h"
#include "store/PropertiesModel.h"
#include "xmpp/Connection.h"
#include "xmpp/PresenceManager.h"

namespace {

constexpr int HANDLER_TABLE_CAPACITY = 16;

template <typename Handler>
void addHandler(IMHashMap* table, const char* name, RequestController* controller, ReceivedBatch* batch)
{
    auto handler = new Handler();
    handler->setRequestController(controller);
    handler->setReceivedBatch(batch);
    handler->setResponseDelegate(controller->GetResponseDelegate());
    table->add(new IMString(name), handler);
}

}  // namespace

GtalkRequestController::GtalkRequestController() = default;

GtalkRequestController::~GtalkRequestController()
{
    uninit();
    delete connection_;
    delete responseDelegate_.load();
    delete username_;
    delete password_;
}

void GtalkRequestController::init()
{
    SetResponseDelegate(nullptr);
    if (connection_ == nullptr) {
        connection_ = new Connection(this);
        connection_->construct();
    }
    if (reconnector_ == nullptr) {
        reconnector_ = std::make_unique<Reconnector>(this, [this] { queueSignIn(nullptr, true); });
    }
    if (archivePoll_ == nullptr) {
        archivePoll_ = std::make_unique<ArchivePoll>([this] { FetchArchiveCommand::poll(this); });
    }
    std::lock_guard<std::mutex> lock(processorsLock_);
    if (requestProcessor_ == nullptr) {
        requestProcessor_ = new RequestProcessor();
        requestProcessor_->EventThreadConstruct();
        requestProcessor_->Start();
    }
    initResponseProcessor();
    if (mutex_ == nullptr) {
        mutex_ = new Ixa::Base::Runtime::Mutex();
        mutex_->Create();
    }
    signInCancel_ = false;
}

void GtalkRequestController::initResponseProcessor()
{
    if (responseProcessor_ != nullptr) {
        return;
    }
    responseProcessor_ = new ResponseProcessor();
    responseProcessor_->EventThreadConstruct();
    responseProcessor_->setHandlersMap(newHandlerTable(responseProcessor_->receivedBatch()));
    responseProcessor_->Start();
}

// The names are the contract with the protocol layer's notifications, spelled exactly so.
IMHashMap* GtalkRequestController::newHandlerTable(ReceivedBatch* batch)
{
    auto table = new IMHashMap();
    table->construct(HANDLER_TABLE_CAPACITY);
    addHandler<SignInHandler>(table, "signin", this, batch);
    addHandler<RefreshListHandler>(table, "buddylist", this, batch);
    addHandler<BuddyStatusHandler>(table, "buddyStatus", this, batch);
    addHandler<BuddyAuthorizeHandler>(table, "buddyAuthorize", this, batch);
    addHandler<BuddyInfoHandler>(table, "buddyInfo", this, batch);
    addHandler<ConnectionErrorHandler>(table, "connectionError", this, batch);
    addHandler<DisconnectHandler>(table, "disconnect", this, batch);
    addHandler<DisplayImageChangedHandler>(table, "displayImage", this, batch);
    addHandler<SelfDisplayNameHandler>(table, "myDisplayName", this, batch);
    addHandler<SharedStatusMessageHandler>(table, "sharedstatus", this, batch);
    addHandler<TextMessageHandler>(table, "message", this, batch);
    addHandler<MessageBounceHandler>(table, "messageError", this, batch);
    addHandler<StreamHandledHandler>(table, "streamHandled", this, batch);
    addHandler<ArchivedMessageHandler>(table, "archivedMessage", this, batch);
    addHandler<ArchiveEndHandler>(table, "archiveEnd", this, batch);
    addHandler<BlockListHandler>(table, "blockList", this, batch);
    return table;
}

// Each processor is taken out of its field under the lock before it is stopped, so a post
// racing with the teardown never touches a processor being deleted. The request thread stops
// before the connection ends, so no command uses a connection being torn down.
void GtalkRequestController::uninit()
{
    // No try may start once the threads begin to stop; the reconnector itself goes only after
    // them, since their commands and handlers still reach it.
    if (reconnector_ != nullptr) {
        reconnector_->shutdown();
    }
    if (archivePoll_ != nullptr) {
        archivePoll_->shutdown();
    }
    RequestProcessor* requests = nullptr;
    ResponseProcessor* responses = nullptr;
    {
        std::lock_guard<std::mutex> lock(processorsLock_);
        std::swap(requests, requestProcessor_);
    }
    if (requests != nullptr) {
        requests->StopRequestProcessor();
        delete requests;
    }
    if (connection_ != nullptr) {
        connection_->endConnection();
    }
    {
        std::lock_guard<std::mutex> lock(processorsLock_);
        std::swap(responses, responseProcessor_);
    }
    if (responses != nullptr) {
        responses->StopResponseProcessor();
        delete responses;
    }
    reconnector_.reset();
    archivePoll_.reset();
    delete mutex_;
    mutex_ = nullptr;
}

void GtalkRequestController::reset() {}

void GtalkRequestController::replaceAccountString(IMString*& stored, IMString* value)
{
    auto copy = value != nullptr ? new IMString(*value) : nullptr;
    std::lock_guard<std::mutex> lock(accountLock_);
    delete stored;
    stored = copy;
}

void GtalkRequestController::SetUsername(IMString* username) { replaceAccountString(username_, username); }

void GtalkRequestController::SetPassword(IMString* password) { replaceAccountString(password_, password); }

IMString* GtalkRequestController::GetUsername()
{
    std::lock_guard<std::mutex> lock(accountLock_);
    return username_;
}

IMString* GtalkRequestController::GetPassword()
{
    std::lock_guard<std::mutex> lock(accountLock_);
    return password_;
}

void GtalkRequestController::SetContactDAO(ContactDAO* contacts) { contacts_ = contacts; }

void GtalkRequestController::SetGroupDAO(GroupDAO* groups) { groups_ = groups; }

void GtalkRequestController::setContactIconDAO(ContactIconDAO* icons) { icons_ = icons; }

void GtalkRequestController::SetMessageDAO(MessageDAO* messages) { messages_ = messages; }

ContactDAO* GtalkRequestController::GetContactDAO() { return contacts_; }

GroupDAO* GtalkRequestController::GetGroupDAO() { return groups_; }

ContactIconDAO* GtalkRequestController::GetContactIconDAO() { return icons_; }

MessageDAO* GtalkRequestController::GetMessageDAO() { return messages_; }

void GtalkRequestController::SetResponseDelegate(ResponseDelegate*)
{
    if (responseDelegate_.load() == nullptr) {
        responseDelegate_ = new GtalkResponseDelegate();
    }
}

ResponseDelegate* GtalkRequestController::GetResponseDelegate() { return responseDelegate_; }

void GtalkRequestController::SetModelResponseDelegate(ModelResponseDelegate* delegate)
{
    if (GtalkResponseDelegate* responses = responseDelegate_) {
        responses->SetModelResponseDelegate(delegate);
    }
}

void GtalkRequestController::SetNonModelResponseDelegate(NonModelResponseDelegate* delegate)
{
    if (GtalkResponseDelegate* responses = responseDelegate_) {
        responses->SetNonModelResponseDelegate(delegate);
    }
}

void GtalkRequestController::queue(BaseCommand* command)
{
    command->setRequestController(this);
    addToCommandQueue(command);
}

bool GtalkRequestController::SignIn(PresenceStatus* initial)
{
    {
        std::lock_guard<std::mutex> lock(accountLock_);
        chosenPresence_.reset();
    }
    queueSignIn(initial, false);
    return true;
}

void GtalkRequestController::queueSignIn(PresenceStatus* initial, bool reconnecting)
{
    auto command = new SignInCommand();
    command->setInitialPresence(initial);
    command->setReconnecting(reconnecting);
    {
        std::lock_guard<std::mutex> lock(accountLock_);
        command->setAccount(username_, password_);
    }
    queue(command);
}

void GtalkRequestController::SignOut()
{
    if (!PropertiesModel::GetInstance()->GetSavePassword()) {
        IMString empty;
        SetPassword(&empty);
    }
    {
        std::lock_guard<std::mutex> lock(accountLock_);
        chosenPresence_.reset();
    }
    queue(new SignOutCommand());
}

// A server with the shared status keeps the user's status itself, and another client of the
// account may have changed it meanwhile: only a server without it needs the status again.
void GtalkRequestController::RestoreClientPresence()
{
    Connection* connection = GetConnection();
    PresenceManager* presence = EngineAccess::presenceManager(this);
    if (connection == nullptr || presence == nullptr ||
        !connection->serviceSupport().isRefused(ServiceSupport::SHARED_STATUS)) {
        return;
    }
    std::lock_guard<std::mutex> lock(accountLock_);
    if (chosenPresence_) {
        SetPresenceCommand::restore(*presence, *chosenPresence_);
    }
}

void GtalkRequestController::ReconnectNow()
{
    if (reconnector_ != nullptr) {
        reconnector_->tryNow();
    }
}

Reconnector* GtalkRequestController::GetReconnector() { return reconnector_.get(); }

ArchivePoll* GtalkRequestController::GetArchivePoll() { return archivePoll_.get(); }

void GtalkRequestController::refreshLists(bool) { queue(new RefreshListCommand()); }

void GtalkRequestController::refreshPendingList()
{
    auto command = new RefreshListCommand();
    command->SetPendingRefresh(true);
    command->setResponseDelegate(GetResponseDelegate());
    queue(command);
}

void GtalkRequestController::SendMessage(Message* message)
{
    auto command = new SendChatCommand();
    command->setMessage(message);
    queue(command);
}

void GtalkRequestController::SetClientPresence(PresenceStatus* status)
{
    if (status != nullptr) {
        std::lock_guard<std::mutex> lock(accountLock_);
        chosenPresence_ = *status;
    }
    auto command = new SetPresenceCommand();
    command->setPresenceStatus(status);
    queue(command);
}

void GtalkRequestController::RefreshIgnoreList() { RefreshIgnoreList(false); }

void GtalkRequestController::RefreshIgnoreList(bool) { queue(new RefreshIgnoreListCommand()); }

void GtalkRequestController::AddToIgnoreList(IMString* user)
{
    auto command = new IgnoreUserCommand();
    command->setUsername(user);
    queue(command);
}

void GtalkRequestController::RemoveFromIgnoreList(IMString* user)
{
    auto command = new UnignoreUserCommand();
    command->setUsername(user);
    queue(command);
}

void GtalkRequestController::BlockContact(IMString*) {}

void GtalkRequestController::UnblockContact(IMString*) {}

void GtalkRequestController::AddContact(IMString*, IMString*, IMString*) {}

void GtalkRequestController::DeleteContact(Contact*) {}

void GtalkRequestController::CreateContact(IMString*, IMString*, IMString*) {}

void GtalkRequestController::CreateContactInNewGroup(Group*, IMString*, IMString*, IMString*) {}

void GtalkRequestController::CreateContactInExistingGroup(Group* group, IMString* user, IMString* nickName, IMString* text)
{
    auto command = new AddContactCommand();
    if (group != nullptr) {
        command->setGroupName(group->GetGroupName());
    }
    command->setContactNickName(nickName);
    command->setContactUsername(user);
    command->setMessage(text);
    queue(command);
}

void GtalkRequestController::RemoveContactFromGroup(Contact* contact, Group*)
{
    auto command = new DeleteContactCommand();
    command->setContact(contact);
    queue(command);
}

void GtalkRequestController::RenameContact(IMString* id, IMString* name)
{
    auto command = new RenameContactCommand();
    command->setContactId(id);
    command->setNewName(name);
    queue(command);
}

void GtalkRequestController::AllowPresenceSubscription(IMString* user, IMString*)
{
    auto command = new AllowPresenceShareCommand();
    command->setUsername(user);
    queue(command);
}

void GtalkRequestController::DenyPresenceSubscription(IMString* user, IMString*)
{
    auto command = new DenyPresenceShareCommand();
    command->setUsername(user);
    queue(command);
}

void GtalkRequestController::Suspend() {}

void GtalkRequestController::EnableOrDisableNotifications(bool) {}

Ixa::Base::Runtime::Mutex* GtalkRequestController::GetMutex() { return mutex_; }

void GtalkRequestController::SetSignInCancel(bool cancel) { signInCancel_ = cancel; }

bool GtalkRequestController::GetSignInCancel() { return signInCancel_; }

void GtalkRequestController::addToCommandQueue(Command* command)
{
    std::lock_guard<std::mutex> lock(processorsLock_);
    if (requestProcessor_ != nullptr) {
        requestProcessor_->HandleCommand(command);
    } else {
        delete command;
    }
}

void GtalkRequestController::addToResponseQueue(GtalkNotification* notification)
{
    std::lock_guard<std::mutex> lock(processorsLock_);
    if (responseProcessor_ != nullptr) {
        responseProcessor_->HandleResponse(notification);
    } else {
        delete notification;
    }
}

Connection* GtalkRequestController::GetConnection() { return connection_; }

bool GtalkRequestController::IsInitialListReceived() { return initialListReceived_; }

void GtalkRequestController::SetInitialListReceived(bool received) { initialListReceived_ = received; }
