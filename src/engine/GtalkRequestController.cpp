#include "engine/GtalkRequestController.h"

GtalkRequestController::GtalkRequestController() = default;

GtalkRequestController::~GtalkRequestController()
{
    uninit();
    delete username_;
    delete password_;
}

void GtalkRequestController::init()
{
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
    auto handlers = new IMHashMap();
    handlers->construct(16);
    responseProcessor_ = new ResponseProcessor();
    responseProcessor_->EventThreadConstruct();
    responseProcessor_->setHandlersMap(handlers);
    responseProcessor_->Start();
}

// Each processor is taken out of its field under the lock before it is stopped, so a post
// racing with the teardown never touches a processor being deleted.
void GtalkRequestController::uninit()
{
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
    {
        std::lock_guard<std::mutex> lock(processorsLock_);
        std::swap(responses, responseProcessor_);
    }
    if (responses != nullptr) {
        responses->StopResponseProcessor();
        delete responses;
    }
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

bool GtalkRequestController::IsInitialListReceived() const { return initialListReceived_; }

void GtalkRequestController::SetInitialListReceived(bool received) { initialListReceived_ = received; }
