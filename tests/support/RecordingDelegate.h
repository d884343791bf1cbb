// A stand-in for both listeners behind the engine's response delegate, the model side and
// the application-wide manager: it records every callback, in order, with its arguments, and
// lets a test wait for one. Contacts and messages handed to it are kept (it owns them, as
// the real receivers do) until it is cleared or goes; strings and statuses are copied.
// Threading: the callbacks come from the request and response threads; the queries and
// waits from the test's thread.
#pragma once

#include "engine/ModelResponseDelegate.h"
#include "engine/NonModelResponseDelegate.h"
#include "store/Contact.h"
#include "store/Message.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace TestSupport {

class RecordingDelegate : public ModelResponseDelegate, public NonModelResponseDelegate {
public:
    struct Call {
        std::string name;
        // The string argument (user, name or text); null when none was given.
        std::optional<std::string> text;
        int code = 0;
        PresenceStatus status;
        std::shared_ptr<Contact> contact;
        std::shared_ptr<Message> message;
        std::thread::id thread;
    };
    using Match = std::function<bool(const Call&)>;

    static constexpr std::chrono::milliseconds DefaultWait{15000};

    RecordingDelegate();
    ~RecordingDelegate() override;

    std::vector<std::string> Names();
    size_t Count(const std::string& name);
    // Every call so far with that name, in order.
    std::vector<Call> CallsOf(const std::string& name);
    // Waits until `count` calls named `name` have been made.
    bool WaitFor(const std::string& name, size_t count = 1, std::chrono::milliseconds timeout = DefaultWait);
    // Waits for a call named `name` that `match` accepts, among those made after the first
    // `skip` calls of that name (made before or during the wait).
    std::optional<Call> WaitFor(const std::string& name, const Match& match,
        std::chrono::milliseconds timeout = DefaultWait, size_t skip = 0);
    void Clear();

    void OnListsRefreshed() override;
    void OnIgnoreListRefreshed() override;
    void OnAllPresenceReceived() override;
    void OnContactUpdated(Contact* contact) override;
    void onContactDeletedFromServer(Contact* contact, Group* group) override;
    void OnMyIconChanged() override;
    void OnMessageSentToChat(Message* message) override;
    void OnMessageReceivedToChat(Message* message, Contact* contact) override;
    void OnMessageSentToChatFailed(Message* message, Ixa::Base::String* text, int code) override;
    void OnContactImageUpdated(Contact* contact) override;

    void OnSignInSuccess() override;
    void OnSignInError(int code, const Ixa::Base::String* text) override;
    void OnClientPresenceUpdated(PresenceStatus status) override;
    void OnMyDisplayNameChanged(const Ixa::Base::String* name) override;
    void OnServerInitiatedSignOut(const Ixa::Base::String* text) override;
    void OnSignOutSuccess() override;
    void OnError(const Ixa::Base::String* text) override;
    void OnConnectionLost() override;
    void OnReconnecting(int secondsToNextTry) override;
    void OnReconnected() override;
    void OnPresenceSubscriptionRequested(Ixa::Base::String* user) override;
    void OnAddToIgnoreListFailed(Ixa::Base::String* user, Ixa::Base::String* text, int code) override;
    void OnClientPresenceUpdateFailed(PresenceStatus* status, Ixa::Base::String* text, int code) override;
    void OnIgnoreListRefreshFailed(Ixa::Base::String* text, int code) override;
    void OnAllPresenceReceivedFailed(Ixa::Base::String* text, int code) override;
    void OnDeleteContactFailed(Contact* contact, Ixa::Base::String* text, int code) override;
    void OnDenyPresenceSubscriptionFailed(Ixa::Base::String* user, Ixa::Base::String* text, int code) override;
    void OnListsRefreshedFailed(Ixa::Base::String* text, int code) override;
    void OnRemoveFromIgnoreListFailed(Ixa::Base::String* user, Ixa::Base::String* text, int code) override;
    void onCreateContactInExistingGroupFailed(Group* group, IMString* user, int code, IMString* text) override;

private:
    void Record(Call call);
    static Call Named(const char* name, const Ixa::Base::String* text = nullptr, int code = 0);

    std::mutex mutex_;
    std::condition_variable recorded_;
    std::vector<Call> calls_;
    // Calls per name, so that waiting for thousands of calls stays cheap.
    std::map<std::string, size_t> counts_;
};

}  // namespace TestSupport
