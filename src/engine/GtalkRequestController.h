// The request controller: owns the request and response processors with their handler
// table, the response delegate, the connection and the sign-in-cancel mutex, borrows the
// stores and the two delegates behind the response delegate, and keeps its own copies of the
// account's user name and password. Each request operation wraps its arguments in a command
// and queues it; outcomes come back through the response delegate.
//
// Threads: init(), uninit() and the setters run on the user-interface thread; the queues are
// fed from any thread (the user-interface, response, reader, connection and socket threads).
// The processor pointers are guarded by a private lock so that a thread posting while
// uninit() runs either posts before the stop event or has its object deleted; the account
// strings are guarded the same way, and a sign-in copies them when it is requested. The
// sign-in-cancel flag is read and written under GetMutex() by the sign-in protocol; the
// initial-list flag and the response delegate pointer are atomic. The connection and the
// response delegate are made by init() before the worker threads start and live until the
// controller goes; the request operations are called on the user-interface thread.
#pragma once

#include "engine/BaseCommand.h"
#include "engine/GtalkResponseDelegate.h"
#include "engine/PresenceStatus.h"
#include "engine/RequestController.h"
#include "engine/RequestProcessor.h"
#include "engine/ResponseProcessor.h"

#include "engine/ArchivePoll.h"
#include "engine/Reconnector.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

class GtalkRequestController : public RequestController {
public:
    GtalkRequestController();
    ~GtalkRequestController() override;

    GtalkRequestController(const GtalkRequestController&) = delete;
    GtalkRequestController& operator=(const GtalkRequestController&) = delete;

    // Creates the response delegate, the connection and the reconnector, starts both
    // processors and creates the mutex; each step is skipped when done before.
    void init() override;
    // Stops the request thread after the commands already queued, ends the connection, then
    // stops the response thread, and deletes both processors; later posts are deleted unrun.
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

    // Creates the response delegate when there is none yet; the argument is not used.
    void SetResponseDelegate(ResponseDelegate* unused) override;
    ResponseDelegate* GetResponseDelegate() override;
    void SetModelResponseDelegate(ModelResponseDelegate* delegate) override;
    void SetNonModelResponseDelegate(NonModelResponseDelegate* delegate) override;

    bool SignIn(PresenceStatus* initial) override;
    // Forgets the password unless the account properties say to keep it.
    void SignOut() override;
    void ReconnectNow() override;
    void RestoreClientPresence() override;
    void refreshLists(bool unused) override;
    void refreshPendingList() override;
    void SendMessage(Message* message) override;
    void SetClientPresence(PresenceStatus* status) override;
    void RefreshIgnoreList() override;
    void RefreshIgnoreList(bool unused) override;
    void AddToIgnoreList(IMString* user) override;
    void RemoveFromIgnoreList(IMString* user) override;
    // Blocking is done with AddToIgnoreList and RemoveFromIgnoreList, adding with
    // CreateContactInExistingGroup, deleting with RemoveContactFromGroup: these do nothing.
    void BlockContact(IMString* user) override;
    void UnblockContact(IMString* user) override;
    void AddContact(IMString* user, IMString* nickName, IMString* text) override;
    void DeleteContact(Contact* contact) override;
    void CreateContact(IMString* user, IMString* nickName, IMString* text) override;
    void CreateContactInNewGroup(Group* group, IMString* user, IMString* nickName, IMString* text) override;
    // The group is not used.
    void CreateContactInExistingGroup(Group* group, IMString* user, IMString* nickName, IMString* text) override;
    void RemoveContactFromGroup(Contact* contact, Group* group) override;
    void RenameContact(IMString* id, IMString* name) override;
    void AllowPresenceSubscription(IMString* user, IMString* unused) override;
    void DenyPresenceSubscription(IMString* user, IMString* unused) override;
    void Suspend() override;
    void EnableOrDisableNotifications(bool enable) override;

    Ixa::Base::Runtime::Mutex* GetMutex() override;
    void SetSignInCancel(bool cancel) override;
    bool GetSignInCancel() override;
    void addToCommandQueue(Command* command) override;
    void addToResponseQueue(GtalkNotification* notification) override;

    Connection* GetConnection() override;
    Reconnector* GetReconnector() override;
    ArchivePoll* GetArchivePoll() override;
    bool IsInitialListReceived() override;
    void SetInitialListReceived(bool received) override;

private:
    void initResponseProcessor();
    void queueSignIn(PresenceStatus* initial, bool reconnecting);
    IMHashMap* newHandlerTable(ReceivedBatch* batch);
    void replaceAccountString(IMString*& stored, IMString* value);
    // Gives the command this controller and queues it.
    void queue(BaseCommand* command);

    std::atomic<GtalkResponseDelegate*> responseDelegate_{nullptr};
    std::mutex accountLock_;
    IMString* username_ = nullptr;
    IMString* password_ = nullptr;
    // The status the user last chose since signing in (under accountLock_).
    std::optional<PresenceStatus> chosenPresence_;
    Connection* connection_ = nullptr;
    std::unique_ptr<Reconnector> reconnector_;
    std::unique_ptr<ArchivePoll> archivePoll_;
    ContactDAO* contacts_ = nullptr;
    ContactIconDAO* icons_ = nullptr;
    GroupDAO* groups_ = nullptr;
    MessageDAO* messages_ = nullptr;
    std::mutex processorsLock_;
    RequestProcessor* requestProcessor_ = nullptr;
    ResponseProcessor* responseProcessor_ = nullptr;
    std::atomic<bool> initialListReceived_{false};
    Ixa::Base::Runtime::Mutex* mutex_ = nullptr;
    std::atomic<bool> signInCancel_{false};
};
