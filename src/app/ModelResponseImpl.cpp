#include "app/ModelResponseImpl.h"

#include "app/AppEvents.h"
#include "app/IMManager.h"
#include "app/ModelNotification.h"

#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/MessageModel.h"

#include <mutex>

namespace {

std::mutex instanceLock;
ModelResponseImpl* instance = nullptr;

}  // namespace

ModelResponseImpl* ModelResponseImpl::GetInstance()
{
    std::lock_guard<std::mutex> guard(instanceLock);
    if (instance == nullptr) {
        instance = new ModelResponseImpl;
    }
    return instance;
}

void ModelResponseImpl::DeleteInstance()
{
    std::lock_guard<std::mutex> guard(instanceLock);
    delete instance;
    instance = nullptr;
}

ModelResponseImpl::ModelResponseImpl() = default;

ModelResponseImpl::~ModelResponseImpl() = default;

void ModelResponseImpl::SetModels(ContactModel* contacts, GroupModel* groups, MessageModel* messages)
{
    contacts_ = contacts;
    groups_ = groups;
    messages_ = messages;
}

void ModelResponseImpl::SetReady(bool ready) { ready_ = ready; }

bool ModelResponseImpl::IsReady() const { return ready_; }

bool ModelResponseImpl::tell(IMModel* model, int code, std::shared_ptr<void> data)
{
    if (model == nullptr) {
        return false;
    }
    ModelNotification notification(code, std::move(data));
    return model->notify(&notification);
}

void ModelResponseImpl::OnListsRefreshed() {}

void ModelResponseImpl::OnIgnoreListRefreshed()
{
    if (ready_ && contacts_ != nullptr && !contacts_->GetBlockedListRefreshing()) {
        tell(contacts_, NOTIFY_IGNORE_LIST_REFRESHED);
    }
}

void ModelResponseImpl::OnAllPresenceReceived()
{
    ready_ = true;
    tell(contacts_, NOTIFY_ALL_PRESENCE_RECEIVED);
}

void ModelResponseImpl::OnContactUpdated(Contact* contact)
{
    std::shared_ptr<Contact> shared(contact);
    if (ready_) {
        tell(contacts_, NOTIFY_CONTACT_UPDATED, shared);
        contactListChanged();
    }
}

void ModelResponseImpl::onContactDeletedFromServer(Contact* contact, Group*)
{
    std::unique_ptr<Contact> owned(contact);
    if (owned == nullptr || contacts_ == nullptr) {
        return;
    }
    owned->SetOnBuddyList(false);
    contacts_->DeleteContactCascading(owned.get());
    contactListChanged();
}

void ModelResponseImpl::contactListChanged()
{
    if (ready_ && contacts_ != nullptr && !contacts_->GetContactListRefreshing()) {
        tell(contacts_, NOTIFY_CONTACT_LIST_CHANGED);
    }
}

void ModelResponseImpl::OnMyIconChanged() { tell(contacts_, NOTIFY_MY_ICON_CHANGED); }

void ModelResponseImpl::OnContactImageUpdated(Contact* contact)
{
    tell(contacts_, NOTIFY_CONTACT_IMAGE_UPDATED, std::shared_ptr<Contact>(contact));
}

void ModelResponseImpl::OnMessageSentToChat(Message* message) { storeSentState(message, MESSAGE_SENT); }

void ModelResponseImpl::OnMessageSentToChatFailed(Message* message, Ixa::Base::String*, int) { storeSentState(message, MESSAGE_FAILED); }

void ModelResponseImpl::storeSentState(Message* message, int type)
{
    std::shared_ptr<Message> shared(message);
    if (shared == nullptr || messages_ == nullptr) {
        return;
    }
    shared->SetMessageType(type);
    // The report that a message went out can come after the server's error reply to it (the
    // two travel on different threads); the failure stands.
    std::lock_guard<std::mutex> guard(sentStateLock_);
    const bool stored = type == MESSAGE_SENT ? messages_->updateSendingMessage(shared.get()) : messages_->updateByMessageId(shared.get());
    if (stored) {
        tell(messages_, NOTIFY_MESSAGE_UPDATED, shared);
    }
}

void ModelResponseImpl::OnMessageReceivedToChat(Message* message, Contact* contact)
{
    std::shared_ptr<Message> shared(message);
    std::unique_ptr<Contact> sender(contact);
    if (shared == nullptr) {
        return;
    }
    IMManager::OnChatMessageArrived(*shared);
    tell(messages_, NOTIFY_MESSAGE_UPDATED, shared);
}
