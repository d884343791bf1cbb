#include "RecordingDelegate.h"

#include <algorithm>

namespace TestSupport {

RecordingDelegate::RecordingDelegate() = default;

RecordingDelegate::~RecordingDelegate() = default;

RecordingDelegate::Call RecordingDelegate::Named(const char* name, const Ixa::Base::String* text, int code)
{
    Call call;
    call.name = name;
    if (text != nullptr) {
        call.text = text->ToUtf8();
    }
    call.code = code;
    return call;
}

void RecordingDelegate::Record(Call call)
{
    call.thread = std::this_thread::get_id();
    std::lock_guard<std::mutex> lock(mutex_);
    ++counts_[call.name];
    calls_.push_back(std::move(call));
    recorded_.notify_all();
}

std::vector<std::string> RecordingDelegate::Names()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> names;
    for (const Call& call : calls_) {
        names.push_back(call.name);
    }
    return names;
}

size_t RecordingDelegate::Count(const std::string& name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = counts_.find(name);
    return found != counts_.end() ? found->second : 0;
}

std::vector<RecordingDelegate::Call> RecordingDelegate::CallsOf(const std::string& name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Call> named;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(named),
        [&name](const Call& call) { return call.name == name; });
    return named;
}

bool RecordingDelegate::WaitFor(const std::string& name, size_t count, std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return recorded_.wait_for(lock, timeout, [&] { return counts_[name] >= count; });
}

std::optional<RecordingDelegate::Call> RecordingDelegate::WaitFor(
    const std::string& name, const Match& match, std::chrono::milliseconds timeout, size_t skip)
{
    std::unique_lock<std::mutex> lock(mutex_);
    std::optional<Call> found;
    recorded_.wait_for(lock, timeout, [&] {
        size_t seen = 0;
        for (const Call& call : calls_) {
            if (call.name == name && seen++ >= skip && match(call)) {
                found = call;
                return true;
            }
        }
        return false;
    });
    return found;
}

void RecordingDelegate::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
    counts_.clear();
}

void RecordingDelegate::OnListsRefreshed() { Record(Named("OnListsRefreshed")); }

void RecordingDelegate::OnIgnoreListRefreshed() { Record(Named("OnIgnoreListRefreshed")); }

void RecordingDelegate::OnAllPresenceReceived() { Record(Named("OnAllPresenceReceived")); }

void RecordingDelegate::OnContactUpdated(Contact* contact)
{
    Call call = Named("OnContactUpdated");
    call.contact.reset(contact);
    Record(std::move(call));
}

void RecordingDelegate::onContactDeletedFromServer(Contact* contact, Group*)
{
    Call call = Named("onContactDeletedFromServer");
    call.contact.reset(contact);
    Record(std::move(call));
}

void RecordingDelegate::OnMyIconChanged() { Record(Named("OnMyIconChanged")); }

void RecordingDelegate::OnMessageSentToChat(Message* message)
{
    Call call = Named("OnMessageSentToChat");
    call.message.reset(message);
    Record(std::move(call));
}

void RecordingDelegate::OnMessageReceivedToChat(Message* message, Contact* contact)
{
    Call call = Named("OnMessageReceivedToChat");
    call.message.reset(message);
    call.contact.reset(contact);
    Record(std::move(call));
}

void RecordingDelegate::OnMessageSentToChatFailed(Message* message, Ixa::Base::String* text, int code)
{
    Call call = Named("OnMessageSentToChatFailed", text, code);
    call.message.reset(message);
    Record(std::move(call));
}

void RecordingDelegate::OnContactImageUpdated(Contact* contact)
{
    Call call = Named("OnContactImageUpdated");
    call.contact.reset(contact);
    Record(std::move(call));
}

void RecordingDelegate::OnSignInSuccess() { Record(Named("OnSignInSuccess")); }

void RecordingDelegate::OnSignInError(int code, const Ixa::Base::String* text)
{
    Record(Named("OnSignInError", text, code));
}

void RecordingDelegate::OnClientPresenceUpdated(PresenceStatus status)
{
    Call call = Named("OnClientPresenceUpdated", &status.GetCustomStatusMessage());
    call.status = status;
    Record(std::move(call));
}

void RecordingDelegate::OnMyDisplayNameChanged(const Ixa::Base::String* name)
{
    Record(Named("OnMyDisplayNameChanged", name));
}

void RecordingDelegate::OnServerInitiatedSignOut(const Ixa::Base::String* text)
{
    Record(Named("OnServerInitiatedSignOut", text));
}

void RecordingDelegate::OnSignOutSuccess() { Record(Named("OnSignOutSuccess")); }

void RecordingDelegate::OnError(const Ixa::Base::String* text) { Record(Named("OnError", text)); }

void RecordingDelegate::OnConnectionLost() { Record(Named("OnConnectionLost")); }

void RecordingDelegate::OnReconnecting(int secondsToNextTry) { Record(Named("OnReconnecting", nullptr, secondsToNextTry)); }

void RecordingDelegate::OnReconnected() { Record(Named("OnReconnected")); }

void RecordingDelegate::OnPresenceSubscriptionRequested(Ixa::Base::String* user)
{
    Record(Named("OnPresenceSubscriptionRequested", user));
}

void RecordingDelegate::OnAddToIgnoreListFailed(Ixa::Base::String* user, Ixa::Base::String*, int code)
{
    Record(Named("OnAddToIgnoreListFailed", user, code));
}

void RecordingDelegate::OnClientPresenceUpdateFailed(PresenceStatus*, Ixa::Base::String* text, int code)
{
    Record(Named("OnClientPresenceUpdateFailed", text, code));
}

void RecordingDelegate::OnIgnoreListRefreshFailed(Ixa::Base::String* text, int code)
{
    Record(Named("OnIgnoreListRefreshFailed", text, code));
}

void RecordingDelegate::OnAllPresenceReceivedFailed(Ixa::Base::String* text, int code)
{
    Record(Named("OnAllPresenceReceivedFailed", text, code));
}

void RecordingDelegate::OnDeleteContactFailed(Contact*, Ixa::Base::String* text, int code)
{
    Record(Named("OnDeleteContactFailed", text, code));
}

void RecordingDelegate::OnDenyPresenceSubscriptionFailed(Ixa::Base::String* user, Ixa::Base::String*, int code)
{
    Record(Named("OnDenyPresenceSubscriptionFailed", user, code));
}

void RecordingDelegate::OnListsRefreshedFailed(Ixa::Base::String* text, int code)
{
    Record(Named("OnListsRefreshedFailed", text, code));
}

void RecordingDelegate::OnRemoveFromIgnoreListFailed(Ixa::Base::String* user, Ixa::Base::String*, int code)
{
    Record(Named("OnRemoveFromIgnoreListFailed", user, code));
}

void RecordingDelegate::onCreateContactInExistingGroupFailed(Group*, IMString* user, int code, IMString*)
{
    Record(Named("onCreateContactInExistingGroupFailed", user, code));
}

}  // namespace TestSupport
