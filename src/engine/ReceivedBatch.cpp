#include "engine/ReceivedBatch.h"

#include "engine/ResponseDelegate.h"
#include "store/Contact.h"
#include "store/MessageModel.h"

#include <utility>

namespace {

std::function<void()>& commitHook()
{
    static std::function<void()> hook;
    return hook;
}

}  // namespace

ReceivedBatch::ReceivedBatch() = default;

ReceivedBatch::~ReceivedBatch() { close(); }

bool ReceivedBatch::join(MessageDAO* messages)
{
    if (model_ != nullptr) {
        return model_ == messages;
    }
    auto model = dynamic_cast<MessageModel*>(messages);
    if (model == nullptr || !model->BeginBatch()) {
        return false;
    }
    model_ = model;
    openedAt_ = std::chrono::steady_clock::now();
    return true;
}

void ReceivedBatch::hold(ResponseDelegate* delegate, Message* message, Contact* contact)
{
    held_.push_back({delegate, message, contact});
}

void ReceivedBatch::holdUntilCommitted(std::function<void()> action) { afterCommit_.push_back(std::move(action)); }

void ReceivedBatch::lost() { lost_ = true; }

Contact* ReceivedBatch::senderCopy(const IMString& bareId) const
{
    return lastSender_ != nullptr && lastSender_->GetContactId() == bareId ? lastSender_->Copy() : nullptr;
}

void ReceivedBatch::rememberSender(const Contact& contact) { lastSender_.reset(contact.Copy()); }

bool ReceivedBatch::isOpen() const { return model_ != nullptr; }

bool ReceivedBatch::isDue() const
{
    return model_ != nullptr &&
           (held_.size() >= MaxMessages || std::chrono::steady_clock::now() - openedAt_ >= MaxAge);
}

void ReceivedBatch::close()
{
    if (model_ == nullptr) {
        return;
    }
    if (!model_->EndBatch()) {
        storeOneByOne();
    }
    model_ = nullptr;
    lastSender_.reset();
    if (!held_.empty() && commitHook()) {
        commitHook()();
    }
    notifyHeld();
    runAfterCommit();
}

bool ReceivedBatch::acknowledgementsHeld() const { return lost_; }

void ReceivedBatch::signedIn() { lost_ = false; }

void ReceivedBatch::setAfterCommit(std::function<void()> hook) { commitHook() = std::move(hook); }

void ReceivedBatch::storeOneByOne()
{
    std::vector<Held> stored;
    for (const Held& held : held_) {
        if (model_->SaveOrUpdate(held.message)) {
            stored.push_back(held);
        } else {
            lost();
            delete held.message;
            delete held.contact;
        }
    }
    held_.swap(stored);
}

void ReceivedBatch::runAfterCommit()
{
    std::vector<std::function<void()>> actions;
    actions.swap(afterCommit_);
    for (const auto& action : actions) {
        action();
    }
}

void ReceivedBatch::notifyHeld()
{
    std::vector<Held> held;
    held.swap(held_);
    for (const Held& one : held) {
        one.delegate->OnMessageReceivedToChat(one.message, one.contact);
    }
}
