// The one door between the screens and the protocol engine. Every request is wrapped in a
// command and run on the request thread; every protocol event comes back as a notification
// handled on the response thread. Everything outside the engine holds the controller through
// this interface. Thread-safety: see GtalkRequestController.
//
// A pure interface defined in this header alone, so the protocol layer below the engine can
// post to it without a link dependency on the engine.
//
// Commands and handlers hold the controller through this interface too, so the connection
// and the initial-list flag, which they need, are part of it.
#pragma once

#include "engine/Command.h"
#include "engine/GtalkNotification.h"
#include "foundation/IMString.h"
#include "platform/Mutex.h"

class ArchivePoll;
class Connection;
class Contact;
class ContactDAO;
class ContactIconDAO;
class Group;
class GroupDAO;
class Message;
class MessageDAO;
class ModelResponseDelegate;
class NonModelResponseDelegate;
class PresenceStatus;
class Reconnector;
class ResponseDelegate;

class RequestController {
public:
    virtual ~RequestController() = default;

    virtual void init() = 0;
    virtual void uninit() = 0;
    virtual void reset() = 0;

    virtual void SetUsername(IMString* username) = 0;
    virtual void SetPassword(IMString* password) = 0;
    virtual IMString* GetUsername() = 0;
    virtual IMString* GetPassword() = 0;

    virtual void SetContactDAO(ContactDAO* contacts) = 0;
    virtual void SetGroupDAO(GroupDAO* groups) = 0;
    virtual void setContactIconDAO(ContactIconDAO* icons) = 0;
    virtual void SetMessageDAO(MessageDAO* messages) = 0;
    virtual ContactDAO* GetContactDAO() = 0;
    virtual GroupDAO* GetGroupDAO() = 0;
    virtual ContactIconDAO* GetContactIconDAO() = 0;
    virtual MessageDAO* GetMessageDAO() = 0;

    virtual void SetResponseDelegate(ResponseDelegate* delegate) = 0;
    virtual ResponseDelegate* GetResponseDelegate() = 0;
    virtual void SetModelResponseDelegate(ModelResponseDelegate* delegate) = 0;
    virtual void SetNonModelResponseDelegate(NonModelResponseDelegate* delegate) = 0;

    // Requests: each returns at once; the outcome arrives through the response delegate.
    // Arguments stay with the caller unless the operation says otherwise.
    virtual bool SignIn(PresenceStatus* initial) = 0;
    virtual void SignOut() = 0;
    // While the connection is being tried again by itself: try now instead of waiting.
    virtual void ReconnectNow() = 0;
    // A fresh session after a loss, on a server that keeps no shared status: the status the
    // user last chose is put back before the session announces itself (response thread).
    virtual void RestoreClientPresence() = 0;
    virtual void refreshLists(bool unused) = 0;
    virtual void refreshPendingList() = 0;
    // The message passes to the engine, which hands it on with the outcome callback.
    virtual void SendMessage(Message* message) = 0;
    // Takes `status`.
    virtual void SetClientPresence(PresenceStatus* status) = 0;
    virtual void RefreshIgnoreList() = 0;
    virtual void RefreshIgnoreList(bool unused) = 0;
    // Takes `user`.
    virtual void AddToIgnoreList(IMString* user) = 0;
    virtual void RemoveFromIgnoreList(IMString* user) = 0;
    virtual void BlockContact(IMString* user) = 0;
    virtual void UnblockContact(IMString* user) = 0;
    virtual void AddContact(IMString* user, IMString* nickName, IMString* text) = 0;
    virtual void DeleteContact(Contact* contact) = 0;
    virtual void CreateContact(IMString* user, IMString* nickName, IMString* text) = 0;
    virtual void CreateContactInExistingGroup(Group* group, IMString* user, IMString* nickName, IMString* text) = 0;
    virtual void CreateContactInNewGroup(Group* group, IMString* user, IMString* nickName, IMString* text) = 0;
    virtual void RemoveContactFromGroup(Contact* contact, Group* group) = 0;
    virtual void RenameContact(IMString* id, IMString* name) = 0;
    virtual void AllowPresenceSubscription(IMString* user, IMString* unused) = 0;
    virtual void DenyPresenceSubscription(IMString* user, IMString* unused) = 0;
    virtual void Suspend() = 0;
    virtual void EnableOrDisableNotifications(bool enable) = 0;

    virtual Ixa::Base::Runtime::Mutex* GetMutex() = 0;
    virtual void SetSignInCancel(bool cancel) = 0;
    virtual bool GetSignInCancel() = 0;
    // Both queues take ownership of what they are given, posted or not.
    virtual void addToCommandQueue(Command* command) = 0;
    virtual void addToResponseQueue(GtalkNotification* notification) = 0;

    // Null before init().
    virtual Connection* GetConnection() = 0;
    // Brings a lost session back by itself; null before init.
    virtual Reconnector* GetReconnector() = 0;
    virtual ArchivePoll* GetArchivePoll() = 0;
    virtual bool IsInitialListReceived() = 0;
    virtual void SetInitialListReceived(bool received) = 0;
};
