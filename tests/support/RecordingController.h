// A request controller for protocol tests: it records every notification posted to its
// response queue, in order, with the time it arrived, keeps them (and the objects they carry)
// until it goes, and lets a test wait for one. Commands are deleted unrun; the other
// operations (requests included) do nothing, and it has no connection or delegate. The real
// controller's handlers are not involved.
// Threading: addToResponseQueue from any thread (the connection, reader and socket threads
// post); the queries and waits from the test's thread.
#pragma once

#include "engine/RequestController.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace TestSupport {

class RecordingController : public RequestController {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::milliseconds DefaultWait{10000};

    RecordingController();
    ~RecordingController() override;

    void addToResponseQueue(GtalkNotification* notification) override;
    void addToCommandQueue(Command* command) override;

    // The names posted so far, in order.
    std::vector<std::string> Names();
    size_t Count(const std::string& name);
    // Waits until `count` notifications named `name` have been posted.
    bool WaitFor(const std::string& name, size_t count = 1, std::chrono::milliseconds timeout = DefaultWait);
    // The object of the index-th notification named `name` (0 first), or null.
    Ixa::Base::Object* ObjectOf(const std::string& name, size_t index = 0);
    // When the index-th notification named `name` arrived.
    Clock::time_point ArrivalOf(const std::string& name, size_t index = 0);
    // Forgets (and frees) what was recorded.
    void Clear();

    void init() override;
    void uninit() override;
    void reset() override;
    void SetUsername(IMString* username) override;
    void SetPassword(IMString* password) override;
    IMString* GetUsername() override;
    IMString* GetPassword() override;
    void SetContactDAO(ContactDAO* contacts) override;
    void SetGroupDAO(GroupDAO* groups) override;
    void setContactIconDAO(ContactIconDAO* icons) override;
    void SetMessageDAO(MessageDAO* messages) override;
    ContactDAO* GetContactDAO() override;
    GroupDAO* GetGroupDAO() override;
    ContactIconDAO* GetContactIconDAO() override;
    MessageDAO* GetMessageDAO() override;
    void SetResponseDelegate(ResponseDelegate* delegate) override;
    ResponseDelegate* GetResponseDelegate() override;
    void SetModelResponseDelegate(ModelResponseDelegate* delegate) override;
    void SetNonModelResponseDelegate(NonModelResponseDelegate* delegate) override;
    bool SignIn(PresenceStatus* initial) override;
    void SignOut() override;
    void refreshLists(bool unused) override;
    void refreshPendingList() override;
    void SendMessage(Message* message) override;
    void SetClientPresence(PresenceStatus* status) override;
    void RefreshIgnoreList() override;
    void RefreshIgnoreList(bool unused) override;
    void AddToIgnoreList(IMString* user) override;
    void RemoveFromIgnoreList(IMString* user) override;
    void BlockContact(IMString* user) override;
    void UnblockContact(IMString* user) override;
    void AddContact(IMString* user, IMString* nickName, IMString* text) override;
    void DeleteContact(Contact* contact) override;
    void CreateContact(IMString* user, IMString* nickName, IMString* text) override;
    void CreateContactInExistingGroup(Group* group, IMString* user, IMString* nickName, IMString* text) override;
    void CreateContactInNewGroup(Group* group, IMString* user, IMString* nickName, IMString* text) override;
    void RemoveContactFromGroup(Contact* contact, Group* group) override;
    void RenameContact(IMString* id, IMString* name) override;
    void AllowPresenceSubscription(IMString* user, IMString* unused) override;
    void DenyPresenceSubscription(IMString* user, IMString* unused) override;
    void Suspend() override;
    void EnableOrDisableNotifications(bool enable) override;
    Ixa::Base::Runtime::Mutex* GetMutex() override;
    void SetSignInCancel(bool cancel) override;
    bool GetSignInCancel() override;
    Connection* GetConnection() override;
    bool IsInitialListReceived() override;
    void SetInitialListReceived(bool received) override;

private:
    struct Record {
        std::string name;
        GtalkNotification* notification;
        Clock::time_point arrival;
    };

    const Record* Find(const std::string& name, size_t index);
    void ClearLocked();

    std::mutex mutex_;
    std::condition_variable posted_;
    std::vector<Record> records_;
};

}  // namespace TestSupport
