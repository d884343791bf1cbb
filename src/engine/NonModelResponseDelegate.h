// The half of the response delegate that the application-wide manager implements: sign-in
// and sign-out outcomes, the user's own state, subscription requests and failures. Strings
// and objects are lent for the length of the call. Threading: called on the request and
// response threads.
#pragma once

#include "engine/PresenceStatus.h"
#include "foundation/IMString.h"

class Contact;
class Group;

class NonModelResponseDelegate {
public:
    virtual void OnSignInSuccess() = 0;
    virtual void OnSignInError(int code, const Ixa::Base::String* text) = 0;
    virtual void OnClientPresenceUpdated(PresenceStatus status) = 0;
    virtual void OnMyDisplayNameChanged(const Ixa::Base::String* name) = 0;
    virtual void OnServerInitiatedSignOut(const Ixa::Base::String* text) = 0;
    virtual void OnSignOutSuccess() = 0;
    virtual void OnError(const Ixa::Base::String* text) = 0;
    virtual void OnConnectionLost() = 0;
    virtual void OnReconnecting(int secondsToNextTry) = 0;
    virtual void OnReconnected() = 0;
    virtual void OnPresenceSubscriptionRequested(Ixa::Base::String* user) = 0;
    virtual void OnAddToIgnoreListFailed(Ixa::Base::String* user, Ixa::Base::String* text, int code) = 0;
    virtual void OnClientPresenceUpdateFailed(PresenceStatus* status, Ixa::Base::String* text, int code) = 0;
    virtual void OnIgnoreListRefreshFailed(Ixa::Base::String* text, int code) = 0;
    virtual void OnAllPresenceReceivedFailed(Ixa::Base::String* text, int code) = 0;
    virtual void OnDeleteContactFailed(Contact* contact, Ixa::Base::String* text, int code) = 0;
    virtual void OnDenyPresenceSubscriptionFailed(Ixa::Base::String* user, Ixa::Base::String* text, int code) = 0;
    virtual void OnListsRefreshedFailed(Ixa::Base::String* text, int code) = 0;
    virtual void OnRemoveFromIgnoreListFailed(Ixa::Base::String* user, Ixa::Base::String* text, int code) = 0;
    virtual void onCreateContactInExistingGroupFailed(Group* group, IMString* user, int code, IMString* text) = 0;
    virtual ~NonModelResponseDelegate() = default;
};
