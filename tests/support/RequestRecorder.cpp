#include "support/RequestRecorder.h"

#include "store/Contact.h"
#include "store/Group.h"
#include "store/Message.h"

#include <atomic>
#include <memory>

namespace TestSupport {

namespace {

std::atomic<RequestRecorder*> last{nullptr};

}  // namespace

RequestRecorder::RequestRecorder() { last = this; }

RequestRecorder::~RequestRecorder()
{
    RequestRecorder* self = this;
    last.compare_exchange_strong(self, nullptr);
}

GtalkRequestController* RequestRecorder::Make() { return new RequestRecorder; }

RequestRecorder* RequestRecorder::Last() { return last; }

std::vector<std::string> RequestRecorder::Requests()
{
    std::lock_guard<std::mutex> guard(lock_);
    return requests_;
}

void RequestRecorder::Clear()
{
    std::lock_guard<std::mutex> guard(lock_);
    requests_.clear();
}

void RequestRecorder::record(std::string request)
{
    std::lock_guard<std::mutex> guard(lock_);
    requests_.push_back(std::move(request));
}

void RequestRecorder::SignOut() { record("SignOut"); }

void RequestRecorder::refreshLists(bool unused) { record(unused ? "refreshLists true" : "refreshLists false"); }

void RequestRecorder::AddToIgnoreList(IMString* user)
{
    std::unique_ptr<IMString> owned(user);
    record("AddToIgnoreList " + (owned != nullptr ? owned->ToUtf8() : std::string("-")));
}

void RequestRecorder::RemoveFromIgnoreList(IMString* user) { record("RemoveFromIgnoreList " + (user != nullptr ? user->ToUtf8() : std::string("-"))); }

void RequestRecorder::AllowPresenceSubscription(IMString* user, IMString*)
{
    record("AllowPresenceSubscription " + (user != nullptr ? user->ToUtf8() : std::string("-")));
}

void RequestRecorder::DenyPresenceSubscription(IMString* user, IMString*)
{
    record("DenyPresenceSubscription " + (user != nullptr ? user->ToUtf8() : std::string("-")));
}

void RequestRecorder::RemoveContactFromGroup(Contact* contact, Group* group)
{
    record("RemoveContactFromGroup " + (contact != nullptr ? contact->GetContactId().ToUtf8() : std::string("-")) + " group="
        + (group != nullptr ? group->GetGroupName().ToUtf8() : std::string("none")));
}

void RequestRecorder::CreateContactInExistingGroup(Group* group, IMString* user, IMString*, IMString*)
{
    record("CreateContactInExistingGroup " + (user != nullptr ? user->ToUtf8() : std::string("-")) + " group="
        + (group != nullptr ? group->GetGroupName().ToUtf8() : std::string("none")));
}

void RequestRecorder::SendMessage(Message* message)
{
    std::unique_ptr<Message> owned(message);
    record("SendMessage " + (owned != nullptr ? owned->GetOtherUserId().ToUtf8() + " " + owned->GetMessage().ToUtf8() : std::string("-")));
}

void RequestRecorder::ReconnectNow() { record("ReconnectNow"); }

}  // namespace TestSupport
