#include "engine/GtalkResponseDelegate.h"

#include "store/Contact.h"
#include "store/Message.h"

using Model = ModelResponseDelegate;
using NonModel = NonModelResponseDelegate;

GtalkResponseDelegate::GtalkResponseDelegate() = default;

GtalkResponseDelegate::~GtalkResponseDelegate() = default;

void GtalkResponseDelegate::SetModelResponseDelegate(ModelResponseDelegate* delegate) { model_ = delegate; }

void GtalkResponseDelegate::SetNonModelResponseDelegate(NonModelResponseDelegate* delegate) { nonModel_ = delegate; }

void GtalkResponseDelegate::discard(Contact* contact) { delete contact; }

void GtalkResponseDelegate::discard(Message* message) { delete message; }

void GtalkResponseDelegate::OnSignInSuccess() { toNonModel(&NonModel::OnSignInSuccess); }

void GtalkResponseDelegate::OnSignInError(int code, const IMString* text)
{
    toNonModel(&NonModel::OnSignInError, code, text);
}

void GtalkResponseDelegate::OnClientPresenceUpdated(PresenceStatus status)
{
    toNonModel(&NonModel::OnClientPresenceUpdated, PresenceStatus(status));
}

void GtalkResponseDelegate::OnMyDisplayNameChanged(const IMString* name)
{
    if (name != nullptr) {
        toNonModel(&NonModel::OnMyDisplayNameChanged, name);
    }
}

void GtalkResponseDelegate::OnServerInitiatedSignOut(const IMString* text)
{
    toNonModel(&NonModel::OnServerInitiatedSignOut, text);
}

void GtalkResponseDelegate::OnSignOutSuccess() { toNonModel(&NonModel::OnSignOutSuccess); }

void GtalkResponseDelegate::OnError(const IMString* text)
{
    toNonModel(&NonModel::OnError, text);
}

void GtalkResponseDelegate::OnConnectionLost() { toNonModel(&NonModel::OnConnectionLost); }

void GtalkResponseDelegate::OnReconnecting(int secondsToNextTry)
{
    toNonModel(&NonModel::OnReconnecting, secondsToNextTry);
}

void GtalkResponseDelegate::OnReconnected() { toNonModel(&NonModel::OnReconnected); }

void GtalkResponseDelegate::OnListsRefreshed() { toModel(&Model::OnListsRefreshed); }

void GtalkResponseDelegate::OnAllPresenceReceived() { toModel(&Model::OnAllPresenceReceived); }

void GtalkResponseDelegate::OnContactUpdated(Contact* contact) { toModel(&Model::OnContactUpdated, contact); }

void GtalkResponseDelegate::OnContactImageUpdated(Contact* contact)
{
    toModel(&Model::OnContactImageUpdated, contact);
}

void GtalkResponseDelegate::OnMessageSentToChat(Message* message) { toModel(&Model::OnMessageSentToChat, message); }

void GtalkResponseDelegate::OnMessageReceivedToChat(Message* message, Contact* contact)
{
    toModel(&Model::OnMessageReceivedToChat, message, contact);
}

void GtalkResponseDelegate::OnPresenceSubscriptionRequested(IMString* user, IMString*, IMString*)
{
    toNonModel(&NonModel::OnPresenceSubscriptionRequested, user);
}

void GtalkResponseDelegate::OnContactDeletedFromServer(Contact* contact, Group* group)
{
    toModel(&Model::onContactDeletedFromServer, contact, group);
}

void GtalkResponseDelegate::OnMyIconChanged() { toModel(&Model::OnMyIconChanged); }

void GtalkResponseDelegate::OnIgnoreListRefreshed() { toModel(&Model::OnIgnoreListRefreshed); }

void GtalkResponseDelegate::OnAddToIgnoreListFailed(IMString* user, IMString* text, int code)
{
    toNonModel(&NonModel::OnAddToIgnoreListFailed, user,
        text, code);
}

void GtalkResponseDelegate::OnClientPresenceUpdateFailed(PresenceStatus* status, IMString* text, int code)
{
    toNonModel(&NonModel::OnClientPresenceUpdateFailed, status, text, code);
}

void GtalkResponseDelegate::OnIgnoreListRefreshFailed(IMString* text, int code)
{
    toNonModel(&NonModel::OnIgnoreListRefreshFailed, text, code);
}

void GtalkResponseDelegate::OnAllPresenceReceivedFailed(IMString* text, int code)
{
    toNonModel(&NonModel::OnAllPresenceReceivedFailed, text, code);
}

void GtalkResponseDelegate::OnAddContactSuccess() {}

void GtalkResponseDelegate::OnDeleteContactFailed(Contact* contact, IMString* text, int code)
{
    toNonModel(&NonModel::OnDeleteContactFailed, contact, text, code);
}

void GtalkResponseDelegate::OnDenyPresenceSubscriptionFailed(IMString* user, IMString* text, int code)
{
    toNonModel(&NonModel::OnDenyPresenceSubscriptionFailed, user,
        text, code);
}

void GtalkResponseDelegate::OnListsRefreshedFailed(IMString* text, int code)
{
    toNonModel(&NonModel::OnListsRefreshedFailed, text, code);
}

void GtalkResponseDelegate::OnMessageSentToChatFailed(Message* message, IMString* text, int code)
{
    toModel(&Model::OnMessageSentToChatFailed, message, text, code);
}

void GtalkResponseDelegate::OnRemoveFromIgnoreListFailed(IMString* user, IMString* text, int code)
{
    toNonModel(&NonModel::OnRemoveFromIgnoreListFailed, user,
        text, code);
}

void GtalkResponseDelegate::onCreateContactInExistingGroupFailed(Group*, IMString*, int, IMString*) {}
