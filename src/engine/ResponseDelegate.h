// What the engine reports to the application: outcomes of requests and server events. The
// handlers (response thread) and some commands (request thread) call it; its one
// implementation, GtalkResponseDelegate, passes each call on to the model side or to the
// application-wide manager.
//
// Ownership: contacts and messages passed to a callback pass with the call, and the receiver
// owns them; strings and groups are lent for the length of the call.
// Threading: implementations must be safe from the request and the response thread.
#pragma once

#include "engine/PresenceStatus.h"
#include "foundation/IMString.h"

class Contact;
class Group;
class Message;

class ResponseDelegate {
public:
    virtual void OnSignInSuccess() = 0;
    virtual void OnSignInError(int code, const IMString* text) = 0;
    virtual void OnClientPresenceUpdated(PresenceStatus status) = 0;
    virtual void OnMyDisplayNameChanged(const IMString* name) = 0;
    virtual void OnServerInitiatedSignOut(const IMString* text) = 0;
    virtual void OnSignOutSuccess() = 0;
    virtual void OnError(const IMString* text) = 0;
    virtual void OnConnectionLost() = 0;
    // The signed-in session's connection is gone and is being tried again by itself: the next
    // try starts in `secondsToNextTry` seconds (0: a try is under way now).
    virtual void OnReconnecting(int secondsToNextTry) = 0;
    // The session is back: resumed where it stopped, or signed in afresh.
    virtual void OnReconnected() = 0;
    virtual void OnListsRefreshed() = 0;
    virtual void OnAllPresenceReceived() = 0;
    virtual void OnContactUpdated(Contact* contact) = 0;
    virtual void OnContactImageUpdated(Contact* contact) = 0;
    virtual void OnMessageSentToChat(Message* message) = 0;
    virtual void OnMessageReceivedToChat(Message* message, Contact* contact) = 0;
    virtual void OnPresenceSubscriptionRequested(IMString* user, IMString* unused1, IMString* unused2) = 0;
    virtual void OnContactDeletedFromServer(Contact* contact, Group* group) = 0;
    virtual void OnMyIconChanged() = 0;
    virtual void OnIgnoreListRefreshed() = 0;
    virtual void OnAddToIgnoreListFailed(IMString* user, IMString* text, int code) = 0;
    virtual void OnClientPresenceUpdateFailed(PresenceStatus* status, IMString* text, int code) = 0;
    virtual void OnIgnoreListRefreshFailed(IMString* text, int code) = 0;
    virtual void OnAllPresenceReceivedFailed(IMString* text, int code) = 0;
    virtual void OnAddContactSuccess() = 0;
    virtual void OnDeleteContactFailed(Contact* contact, IMString* text, int code) = 0;
    virtual void OnDenyPresenceSubscriptionFailed(IMString* user, IMString* text, int code) = 0;
    virtual void OnListsRefreshedFailed(IMString* text, int code) = 0;
    virtual void OnMessageSentToChatFailed(Message* message, IMString* text, int code) = 0;
    virtual void OnRemoveFromIgnoreListFailed(IMString* user, IMString* text, int code) = 0;
    virtual void onCreateContactInExistingGroupFailed(Group* group, IMString* user, int code, IMString* text) = 0;
    virtual ~ResponseDelegate() = default;
};
