// The engine's response delegate: passes each callback on to the model-side delegate (model
// and screen updates) or to the non-model delegate (the application-wide manager), as the
// routing table of the engine says; OnAddContactSuccess and
// onCreateContactInExistingGroupFailed go nowhere.
//
// Ownership: both delegates are borrowed. A contact or message meant for the model side is
// deleted here when no model-side delegate is set, since nobody else would own it.
// Threading: the setters run on the user-interface thread while the workers may already be
// calling, so both pointers are atomic; every callback is safe from the request and the
// response thread as long as the delegates are.
#pragma once

#include "engine/ModelResponseDelegate.h"
#include "engine/NonModelResponseDelegate.h"
#include "engine/ResponseDelegate.h"

#include <atomic>

class GtalkResponseDelegate : public ResponseDelegate {
public:
    GtalkResponseDelegate();
    ~GtalkResponseDelegate() override;

    void SetModelResponseDelegate(ModelResponseDelegate* delegate);
    void SetNonModelResponseDelegate(NonModelResponseDelegate* delegate);

    void OnSignInSuccess() override;
    void OnSignInError(int code, const IMString* text) override;
    void OnClientPresenceUpdated(PresenceStatus status) override;
    // Not passed on for a null name.
    void OnMyDisplayNameChanged(const IMString* name) override;
    void OnServerInitiatedSignOut(const IMString* text) override;
    void OnSignOutSuccess() override;
    void OnError(const IMString* text) override;
    void OnConnectionLost() override;
    void OnReconnecting(int secondsToNextTry) override;
    void OnReconnected() override;
    void OnListsRefreshed() override;
    void OnAllPresenceReceived() override;
    void OnContactUpdated(Contact* contact) override;
    void OnContactImageUpdated(Contact* contact) override;
    void OnMessageSentToChat(Message* message) override;
    void OnMessageReceivedToChat(Message* message, Contact* contact) override;
    // Only the user is passed on.
    void OnPresenceSubscriptionRequested(IMString* user, IMString* unused1, IMString* unused2) override;
    void OnContactDeletedFromServer(Contact* contact, Group* group) override;
    void OnMyIconChanged() override;
    void OnIgnoreListRefreshed() override;
    void OnAddToIgnoreListFailed(IMString* user, IMString* text, int code) override;
    void OnClientPresenceUpdateFailed(PresenceStatus* status, IMString* text, int code) override;
    void OnIgnoreListRefreshFailed(IMString* text, int code) override;
    void OnAllPresenceReceivedFailed(IMString* text, int code) override;
    void OnAddContactSuccess() override;
    void OnDeleteContactFailed(Contact* contact, IMString* text, int code) override;
    void OnDenyPresenceSubscriptionFailed(IMString* user, IMString* text, int code) override;
    void OnListsRefreshedFailed(IMString* text, int code) override;
    void OnMessageSentToChatFailed(Message* message, IMString* text, int code) override;
    void OnRemoveFromIgnoreListFailed(IMString* user, IMString* text, int code) override;
    void onCreateContactInExistingGroupFailed(Group* group, IMString* user, int code, IMString* text) override;

private:
    // Calls the non-model delegate, when there is one.
    template <typename... Params, typename... Args>
    void toNonModel(void (NonModelResponseDelegate::*call)(Params...), Args... args)
    {
        if (NonModelResponseDelegate* to = nonModel_) {
            (to->*call)(args...);
        }
    }
    // Calls the model-side delegate; without one, the objects it would have received (the
    // contacts and messages among `args`) are deleted.
    template <typename... Params, typename... Args>
    void toModel(void (ModelResponseDelegate::*call)(Params...), Args... args)
    {
        if (ModelResponseDelegate* to = model_) {
            (to->*call)(args...);
        } else {
            (discard(args), ...);
        }
    }
    static void discard(Contact* contact);
    static void discard(Message* message);
    template <typename Lent>
    static void discard(Lent)
    {
    }

    std::atomic<ModelResponseDelegate*> model_{nullptr};
    std::atomic<NonModelResponseDelegate*> nonModel_{nullptr};
};
