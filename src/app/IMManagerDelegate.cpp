// IMManager as the engine's non-model delegate: sign-in and sign-out outcomes, the user's own
// presence and name, and the reports that reach the screens. Called on the request and
// response threads; see IMManager.h.
#include "app/IMManager.h"

#include "app/ScreenStates.h"
#include "platform/ArrayList.h"
#include "platform/Integer.h"
#include "platform/NotificationManager.h"
#include "store/Message.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"

#include <algorithm>
#include <memory>

namespace {

const char* const NotificationLaunchPrefix = "Notification from Non Buddy:";

}  // namespace

void IMManager::OnChatMessageArrived(const Message& message)
{
    const bool melody = GetPropertiesModel()->GetAlertSettings() == Ixa::Base::String("melody");
    if (!isAppInBackground) {
        const bool chatVisible = screenStatesObj != nullptr && screenStatesObj->getState() == STATE_CHAT;
        if (melody && !chatVisible) {
            RequestAlert();
        }
        return;
    }
    Ixa::Base::String text(message.GetOtherUserId());
    text.Append(" : ");
    text.Append(message.GetMessage());
    if (melody) {
        RequestAlert();
    }
    Ixa::Base::String launch(NotificationLaunchPrefix);
    launch.Append(message.GetOtherUserId());
    Ixa::App::NotificationManager notifications;
    notifications.Construct();
    notifications.Notify(std::max(1, GetMessageModel()->GetTotalUnreadMessages()));
    notifications.NotifyOngoingActivity(text, launch);
}

template <typename OnCancel, typename Then>
void IMManager::bySignInCancel(OnCancel onCancel, Then then)
{
    Ixa::Base::Runtime::Mutex* mutex = requestController != nullptr ? requestController->GetMutex() : nullptr;
    if (mutex != nullptr) {
        mutex->Acquire();
    }
    const bool cancelled = requestController != nullptr && requestController->GetSignInCancel();
    if (cancelled) {
        onCancel();
    } else {
        then();
    }
    if (mutex != nullptr) {
        mutex->Release();
    }
}

void IMManager::OnSignInSuccess()
{
    bool proceed = false;
    bySignInCancel([] { requestController->SignOut(); }, [&proceed] { proceed = true; });
    if (!proceed) {
        return;
    }
    claimStores();
    isAppSignedIn = true;
    notifyEvent(EVENT_SIGN_IN_SUCCESS);
    notifyEvent(EVENT_SIGN_IN_DONE);
    resendLeftovers();
}

// A fresh sign-in follows a sign-out or a start, and a sign-out marks whatever waited for the
// connection failed, so a row still "sending" now has no sender holding it. Each goes out
// under its own id, so a receiver that did get it before recognises the copy.
void IMManager::resendLeftovers()
{
    std::unique_ptr<Ixa::Base::Collection::ArrayList> left(GetMessageModel()->GetSendingMessages());
    for (int i = 0; left != nullptr && i < left->GetCount(); ++i) {
        requestController->SendMessage(static_cast<Message*>(left->GetAt(i)));
    }
    if (left != nullptr) {
        left->RemoveAll(false);
    }
}

// Also the end of a signed-in session whose password was refused on a try to reconnect.
void IMManager::OnSignInError(int code, const Ixa::Base::String* text)
{
    bySignInCancel([] { notifyEvent(EVENT_SIGN_IN_CANCELLED); }, [code, text] {
        isAppSignedIn = false;
        requestController->SetInitialListReceived(false);
        postReport(EVENT_SIGN_IN_ERROR, code, text);
    });
}

void IMManager::OnSignOutSuccess()
{
    bySignInCancel([] { notifyEvent(EVENT_SIGN_IN_CANCELLED); }, [] {
        isAppSignedIn = false;
        notifyEvent(EVENT_SIGN_OUT_SUCCESS);
        requestController->SetInitialListReceived(false);
    });
}

void IMManager::OnClientPresenceUpdated(PresenceStatus status)
{
    {
        std::lock_guard<std::mutex> guard(selfLock);
        if (!status.Equals(selfStatus)) {
            const int type = status.GetPresenceStatus();
            GetPropertiesModel()->SetAvailableState(type != PresenceStatus::OFFLINE && type != PresenceStatus::NEVER_SEEN);
        }
        selfStatus->SetStatus(&status);
    }
    notifyEvent(EVENT_SELF_INFO_CHANGED);
}

void IMManager::OnMyDisplayNameChanged(const Ixa::Base::String* name)
{
    {
        std::lock_guard<std::mutex> guard(selfLock);
        displayName = name != nullptr ? *name : Ixa::Base::String();
    }
    notifyEvent(EVENT_SELF_INFO_CHANGED);
}

void IMManager::OnServerInitiatedSignOut(const Ixa::Base::String* text)
{
    isAppSignedIn = false;
    if (requestController != nullptr) {
        requestController->SetInitialListReceived(false);
    }
    postReport(EVENT_SERVER_SIGNED_OUT, -1, text);
}

void IMManager::OnError(const Ixa::Base::String*) { notifyEvent(EVENT_SERVER_ERROR); }

void IMManager::OnConnectionLost()
{
    isAppSignedIn = false;
    if (requestController != nullptr) {
        requestController->SetInitialListReceived(false);
    }
    notifyEvent(EVENT_CONNECTION_LOST);
}

void IMManager::OnReconnecting(int secondsToNextTry) { postReport(EVENT_RECONNECTING, secondsToNextTry, nullptr); }

void IMManager::OnReconnected() { notifyEvent(EVENT_RECONNECTED); }

void IMManager::OnPresenceSubscriptionRequested(Ixa::Base::String* user) { postReport(EVENT_SUBSCRIPTION_REQUEST, -1, user); }

void IMManager::OnAddToIgnoreListFailed(Ixa::Base::String*, Ixa::Base::String*, int) { notifyEvent(EVENT_BLOCK_FAILED); }

void IMManager::OnClientPresenceUpdateFailed(PresenceStatus*, Ixa::Base::String*, int) { notifyEvent(EVENT_PRESENCE_UPDATE_FAILED); }

void IMManager::OnIgnoreListRefreshFailed(Ixa::Base::String*, int) { notifyEvent(EVENT_IGNORE_LIST_REFRESH_FAILED); }

void IMManager::OnAllPresenceReceivedFailed(Ixa::Base::String*, int) { notifyEvent(EVENT_ALL_PRESENCE_FAILED); }

void IMManager::OnDeleteContactFailed(Contact*, Ixa::Base::String*, int) { notifyEvent(EVENT_DELETE_CONTACT_FAILED); }

void IMManager::OnDenyPresenceSubscriptionFailed(Ixa::Base::String*, Ixa::Base::String* text, int code)
{
    postReport(EVENT_DENY_SUBSCRIPTION_FAILED, code, text);
}

void IMManager::OnListsRefreshedFailed(Ixa::Base::String*, int) { notifyEvent(EVENT_LISTS_REFRESH_FAILED); }

void IMManager::OnRemoveFromIgnoreListFailed(Ixa::Base::String*, Ixa::Base::String*, int) { notifyEvent(EVENT_UNBLOCK_FAILED); }

void IMManager::onCreateContactInExistingGroupFailed(Group*, IMString*, int, IMString*) { notifyEvent(EVENT_ADD_CONTACT_FAILED); }

void IMManager::postReport(EVENT_T event, int code, const Ixa::Base::String* text)
{
    auto* list = new Ixa::Base::Collection::ArrayList;
    list->Construct(10);
    list->Add(new Ixa::Base::Integer(code));
    list->Add(new Ixa::Base::String(text != nullptr ? *text : Ixa::Base::String()));
    notifyEvent(event, list);
}
