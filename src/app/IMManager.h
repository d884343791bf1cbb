// The application-wide manager. It owns every long-lived object (the models, the request
// controller, the model-side delegate, the icon manager, the screen state machine), keeps the
// user's own presence and display name, is the engine's non-model delegate, and is the one
// place through which screen changes and reports are posted to the user-interface thread
// (notifyEvent). It also plays the new-message alert, keeps the background flag, and keeps
// the badge and the ongoing-activity entry for messages that arrive in the background.
//
// All state is class-wide; the one instance exists only to be the engine's delegate.
// Threading: set-up, life-cycle calls and termination run on the user-interface thread; the
// delegate callbacks on the request and response threads; notifyEvent and postModelUpdates
// from any thread. The notification lock is re-entrant and serialises posting against the
// screen creator's dispatch; where both are held, the request controller's mutex is taken
// first. Model updates are posted without it, so a worker thread that changes a model never
// waits for a dispatch (and the screens it runs) to end.
// Ownership: everything created by initIMManager is deleted by OnAppTerminating; the frame
// and the resources are the platform's; the frame owns the screen creator.
#pragma once

#include "app/AppEvents.h"

#include "engine/GtalkRequestController.h"
#include "engine/NonModelResponseDelegate.h"
#include "engine/PresenceStatus.h"
#include "platform/AppRegistry.h"
#include "platform/AppResource.h"
#include "platform/Bitmap.h"
#include "platform/DateTime.h"
#include "platform/Frame.h"
#include "platform/IList.h"
#include "platform/Mutex.h"

#include <atomic>
#include <mutex>

class ContactIcon;
class ContactIconModel;
class ContactModel;
class GroupModel;
class IconManager;
class IMScreen;
class Message;
class MessageModel;
class ModelResponseImpl;
class PropertiesModel;
class ReconnectStatus;
class SavedMessagesModel;
class ScreenCreator;
class ScreenStates;

class IMManager : public NonModelResponseDelegate {
public:
    // Set-up.
    static bool initIMManager();
    static void initModels();
    // Empties every local store (contacts, avatars, groups, messages, saved conversations,
    // quick texts). `full` also empties the account settings; otherwise only the settings
    // that belong to an account (status message, alert, offline contacts, available state)
    // go back to their defaults. Any thread: the stores lock themselves.
    static void ResetStores(bool full);
    static Ixa::result InitAudioPlayer();
    static void initRequestController();
    static void initIconManager();
    static void setInitState();
    static void initScreenCreator();
    static void setFrame(Ixa::Ui::Controls::Frame* frame);
    static void setAppResource(Ixa::App::AppResource* resource);
    static void setState(STATE_T state);

    // Accessors.
    static Ixa::Ui::Controls::Frame* getFrame();
    static GtalkRequestController* GetRequestController();
    static ScreenCreator* GetScreenCreator();
    static ScreenStates* GetScreenStatesObj();
    static ContactModel* GetContactModel();
    static MessageModel* GetMessageModel();
    static GroupModel* GetGroupModel();
    static PropertiesModel* GetPropertiesModel();
    static SavedMessagesModel* GetSavedMessagesModel();
    static ContactIconModel* GetContactIconModel();
    static PresenceStatus* GetSelfStatus();
    // The status strip's reconnecting notice and its countdown; user-interface thread.
    static ReconnectStatus* GetReconnectStatus();
    // While the engine tries to bring the session back, presence is not known: the screens
    // show every contact's presence as unknown, without touching what is stored.
    static bool IsReconnecting();
    // The own status, copied under the lock that the response thread writes it under.
    static PresenceStatus CopySelfStatus();
    // Sets the own status as a sign-in starts it (invisible or not, not busy, the saved
    // message), under that lock.
    static void PrepareSelfStatusForSignIn(bool invisible, const Ixa::Base::String& message);
    static bool GetIsAppSignedIn();
    static bool GetIsAppInBackgroundState();
    static void SetAppInBackgroundState(bool background);
    static bool GetAppExitingStatus();
    static void SetAppExitingStatus(bool exiting);

    // Events. A transition's data stays the poster's; a report's list passes to the receiver
    // (and is deleted here when nothing can receive it).
    static void notifyEvent(EVENT_T event, void* data);
    static void notifyEvent(EVENT_T event, Ixa::Base::Collection::IList* list);
    static void notifyEvent(EVENT_T event);
    static bool isStateTransitionEvent(EVENT_T event);
    // Wakes the user-interface thread for the model updates waiting for `screen`; false when
    // nothing can receive the wake-up any more (the application is ending).
    static bool postModelUpdates(IMScreen* screen);
    static void acquireNotificationLock();
    static void releaseNotificationLock();

    // Life cycle.
    static void OnForeground();
    static void OnBackground();
    static void OnLowMemory();
    static void OnScreenOn();
    static void OnScreenOff();
    static bool OnAppTerminating(Ixa::App::AppRegistry& registry, bool urgent);
    static void CleanAllModules();

    // A chat message arrived: the alert, and in the background the badge and the ongoing-
    // activity entry that reopens the chat. The message and contact are lent.
    static void OnChatMessageArrived(const Message& message);

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

    // Support for the screens.
    static void PlaySound();
    // Any thread: the alert for arriving messages, played on the user-interface thread once
    // for all that arrive before it gets to it.
    static void RequestAlert();
    static void SetVoulumeForMediaPlayer();
    static Ixa::Base::String GetStringFromResource(const Ixa::Base::String& id);
    static Ixa::Base::String GetFormatString(const Ixa::Base::String& format, const Ixa::Base::String& arg);
    static Ixa::Graphics::Bitmap* GetBitmapN(const Ixa::Base::String& name);
    // The stored avatar as a picture; "no_contacts.png" when there is none or it does not
    // decode. The caller owns the bitmap, which shares its pixels with the decoded avatars
    // kept for every row; the icon is lent.
    static Ixa::Graphics::Bitmap* GetBitmapFromContactIcon(ContactIcon* icon);
    // "no_contacts.png", loaded once and shared; the caller owns the bitmap.
    static Ixa::Graphics::Bitmap* GetDefaultAvatar();
    // The user's own avatar from the avatar store, as GetBitmapFromContactIcon.
    static Ixa::Graphics::Bitmap* GetSelfIcon();
    // Borrowed from the icon manager, which keeps it until termination.
    static Ixa::Graphics::Bitmap* GetPresenceIconByType(int type, bool flag, int device);
    static Ixa::Base::String GetTimeAsString(const Ixa::Base::DateTime* time);
    static Ixa::Base::String GetDisplayName();
    static int GetLabelHeightBasedOnText(const Ixa::Base::String* text, int size, int width, int unused);

private:
    static void post(EVENT_T event, void* transitionData, Ixa::Base::Collection::IList* reportList);
    static void postReport(EVENT_T event, int code, const Ixa::Base::String* text);
    // Under the request controller's mutex: `onCancel` when the user cancelled the sign-in,
    // else `then`.
    template <typename OnCancel, typename Then>
    static void bySignInCancel(OnCancel onCancel, Then then);
    static void signedOut();
    // After a successful sign-in, before anything is stored for it: the stores change hands
    // when the account that signed in is not the one whose data they hold.
    static void claimStores();
    // On a fresh sign-in: messages an earlier run left "sending" (it ended, or was killed,
    // while they waited for the connection) go out again, in the order they were typed.
    static void resendLeftovers();
    static void deleteAll();

    static Ixa::Ui::Controls::Frame* frame;
    static Ixa::App::AppResource* appResource;
    static IMManager* imManager;
    static GtalkRequestController* requestController;
    static ContactModel* contactModel;
    static ContactIconModel* contactIconModel;
    static GroupModel* groupModel;
    static MessageModel* messageModel;
    static PropertiesModel* propertiesModel;
    static SavedMessagesModel* savedMessagesModel;
    static ModelResponseImpl* modelResImpl;
    static IconManager* iconManager;
    static ScreenCreator* screenCreator;
    static ScreenStates* screenStatesObj;
    static ReconnectStatus* reconnectStatus;
    static PresenceStatus* selfStatus;
    static Ixa::Base::String displayName;
    // Guards selfStatus and displayName, written by the response thread and read by screens.
    static std::mutex selfLock;
    static Ixa::Base::Runtime::Mutex* notificationLock;
    static std::atomic<bool> isAppSignedIn;
    static std::atomic<bool> isAppInBackground;
    static std::atomic<bool> isAppExiting;
};
