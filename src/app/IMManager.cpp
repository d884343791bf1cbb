#include "app/IMManager.h"

#include "app/IMModel.h"
#include "app/IMScreen.h"
#include "app/IconManager.h"
#include "app/ModelResponseImpl.h"
#include "app/ModelUpdateEvent.h"
#include "app/ReconnectStatus.h"
#include "app/ScreenCreator.h"
#include "app/ScreenStates.h"

#include "engine/IMFactory.h"
#include "engine/ResourceText.h"
#include "platform/ArrayList.h"
#include "platform/NotificationManager.h"
#include "platform/Player.h"
#include "platform/SettingInfo.h"
#include "platform/UiThreadCalls.h"
#include "platform/Vibrator.h"
#include "store/ContactIconModel.h"
#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"
#include "store/QuickTextModel.h"
#include "store/SavedMessagesModel.h"

#include <atomic>

namespace {

// The alert player reports nothing the application needs.
class PlayerEventListener : public Ixa::Media::IPlayerEventListener {
public:
    void OnPlayerOpened(Ixa::result) override {}
    void OnPlayerEndOfClip() override {}
    void OnPlayerBuffering(int) override {}
    void OnPlayerErrorOccurred(Ixa::Media::PlayerErrorReason) override {}
    void OnPlayerInterrupted() override {}
    void OnPlayerReleased() override {}
    void OnPlayerSeekCompleted(Ixa::result) override {}
};

PlayerEventListener playerListener;
Ixa::Media::Player* soundPlayer = nullptr;
Ixa::System::Vibrator* vibrator = nullptr;
// An alert asked for and not yet played on the user-interface thread.
std::atomic<bool> alertWaiting{false};

constexpr int VibrationMilliseconds = 1000;
const char* const AlertSound = "/Res/msn_newmsg.amr";

template <typename T>
void deleteAndClear(T*& object)
{
    delete object;
    object = nullptr;
}

void deleteList(Ixa::Base::Collection::IList* list)
{
    if (list != nullptr) {
        list->RemoveAll(true);
        delete list;
    }
}

}  // namespace

Ixa::Ui::Controls::Frame* IMManager::frame = nullptr;
Ixa::App::AppResource* IMManager::appResource = nullptr;
IMManager* IMManager::imManager = nullptr;
GtalkRequestController* IMManager::requestController = nullptr;
ContactModel* IMManager::contactModel = nullptr;
ContactIconModel* IMManager::contactIconModel = nullptr;
GroupModel* IMManager::groupModel = nullptr;
MessageModel* IMManager::messageModel = nullptr;
PropertiesModel* IMManager::propertiesModel = nullptr;
SavedMessagesModel* IMManager::savedMessagesModel = nullptr;
ModelResponseImpl* IMManager::modelResImpl = nullptr;
IconManager* IMManager::iconManager = nullptr;
ScreenCreator* IMManager::screenCreator = nullptr;
ScreenStates* IMManager::screenStatesObj = nullptr;
ReconnectStatus* IMManager::reconnectStatus = nullptr;
PresenceStatus* IMManager::selfStatus = nullptr;
Ixa::Base::String IMManager::displayName;
std::mutex IMManager::selfLock;
Ixa::Base::Runtime::Mutex* IMManager::notificationLock = nullptr;
std::atomic<bool> IMManager::isAppSignedIn{false};
std::atomic<bool> IMManager::isAppInBackground{false};
std::atomic<bool> IMManager::isAppExiting{false};

bool IMManager::initIMManager()
{
    IMModel::initIMModel();
    if (imManager == nullptr) {
        imManager = new IMManager;
    }
    isAppSignedIn = false;
    isAppInBackground = false;
    isAppExiting = false;
    bool locked = notificationLock != nullptr;
    if (!locked) {
        auto* lock = new Ixa::Base::Runtime::Mutex;
        locked = Ixa::IsSucceeded(lock->Create("IMManager::notificationLock"));
        if (locked) {
            notificationLock = lock;
        } else {
            delete lock;
        }
    }
    ResourceText::setLookup([](const IMString& id, IMString& text) {
        return appResource != nullptr && Ixa::IsSucceeded(appResource->GetString(id, text));
    });
    initModels();
    InitAudioPlayer();
    initRequestController();
    initIconManager();
    selfStatus = new PresenceStatus(PresenceStatus::NEVER_SEEN, "", false, 0);
    if (reconnectStatus == nullptr) {
        reconnectStatus = new ReconnectStatus(frame);
    }
    setInitState();
    initScreenCreator();
    notifyEvent(EVENT_APP_START);
    return locked;
}

void IMManager::initModels()
{
    GetContactModel();
    GetContactIconModel();
    GetMessageModel();
    GetGroupModel();
    GetPropertiesModel();
    GetSavedMessagesModel();
    modelResImpl = ModelResponseImpl::GetInstance();
    modelResImpl->SetModels(contactModel, groupModel, messageModel);
}

void IMManager::ResetStores(bool full)
{
    GetContactModel()->DeleteDatabase();
    GetContactIconModel()->DeleteDatabase();
    GetGroupModel()->DeleteDatabase();
    GetMessageModel()->DeleteDatabase();
    GetSavedMessagesModel()->DeleteDatabase();
    QuickTextModel::GetInstance()->DeleteDatabase();
    PropertiesModel* properties = GetPropertiesModel();
    if (full) {
        properties->DeleteDatabase();
        return;
    }
    properties->SetCustomMessage(Ixa::Base::String());
    properties->SetAlertSettings(Ixa::Base::String("melody"));
    properties->SetShowOfflineContactsOrPics(true);
    properties->SetAvailableState(true);
}

void IMManager::claimStores()
{
    PropertiesModel* properties = GetPropertiesModel();
    if (properties->IsResetDBRequired()) {
        ResetStores(false);
        properties->ResetDBHolder();
    }
}

Ixa::result IMManager::InitAudioPlayer()
{
    // An alert asked for by an application that ended before playing it is not this one's.
    alertWaiting = false;
    Ixa::result outcome = Ixa::E_SUCCESS;
    soundPlayer = new Ixa::Media::Player;
    if (Ixa::IsFailed(outcome = soundPlayer->Construct(playerListener)) || Ixa::IsFailed(outcome = soundPlayer->OpenFile(AlertSound, true))) {
        deleteAndClear(soundPlayer);
    } else {
        soundPlayer->SetLooping(false);
    }
    vibrator = new Ixa::System::Vibrator;
    if (Ixa::IsFailed(vibrator->Construct())) {
        deleteAndClear(vibrator);
    }
    return outcome;
}

void IMManager::initRequestController()
{
    RequestController* made = IMFactory::getNewRequestController();
    if (made == nullptr) {
        return;
    }
    requestController = static_cast<GtalkRequestController*>(made);
    requestController->init();
    requestController->SetContactDAO(GetContactModel());
    requestController->setContactIconDAO(GetContactIconModel());
    requestController->SetGroupDAO(GetGroupModel());
    requestController->SetMessageDAO(GetMessageModel());
    requestController->SetModelResponseDelegate(modelResImpl);
    requestController->SetNonModelResponseDelegate(imManager);
}

void IMManager::initIconManager() { iconManager = IconManager::GetInstance(); }

void IMManager::setInitState()
{
    if (screenStatesObj == nullptr) {
        screenStatesObj = new ScreenStates;
    }
    screenStatesObj->setState(STATE_INIT);
}

void IMManager::initScreenCreator()
{
    if (screenCreator != nullptr || frame == nullptr) {
        return;
    }
    auto* creator = new ScreenCreator;
    creator->Initialize();
    creator->setScreenStatesObj(screenStatesObj);
    if (Ixa::IsFailed(frame->AddControl(*creator))) {
        delete creator;
        return;
    }
    screenCreator = creator;
}

void IMManager::setFrame(Ixa::Ui::Controls::Frame* value) { frame = value; }

void IMManager::setAppResource(Ixa::App::AppResource* resource) { appResource = resource; }

void IMManager::setState(STATE_T state)
{
    if (screenStatesObj != nullptr) {
        screenStatesObj->setState(state);
    }
}

Ixa::Ui::Controls::Frame* IMManager::getFrame() { return frame; }

GtalkRequestController* IMManager::GetRequestController() { return requestController; }

ScreenCreator* IMManager::GetScreenCreator() { return screenCreator; }

ScreenStates* IMManager::GetScreenStatesObj() { return screenStatesObj; }

ContactModel* IMManager::GetContactModel() { return contactModel != nullptr ? contactModel : (contactModel = ContactModel::GetInstance()); }

MessageModel* IMManager::GetMessageModel() { return messageModel != nullptr ? messageModel : (messageModel = MessageModel::GetInstance()); }

GroupModel* IMManager::GetGroupModel() { return groupModel != nullptr ? groupModel : (groupModel = GroupModel::GetInstance()); }

PropertiesModel* IMManager::GetPropertiesModel()
{
    return propertiesModel != nullptr ? propertiesModel : (propertiesModel = PropertiesModel::GetInstance());
}

SavedMessagesModel* IMManager::GetSavedMessagesModel()
{
    return savedMessagesModel != nullptr ? savedMessagesModel : (savedMessagesModel = SavedMessagesModel::GetInstance());
}

ContactIconModel* IMManager::GetContactIconModel()
{
    return contactIconModel != nullptr ? contactIconModel : (contactIconModel = ContactIconModel::GetInstance());
}

PresenceStatus* IMManager::GetSelfStatus() { return selfStatus; }

ReconnectStatus* IMManager::GetReconnectStatus() { return reconnectStatus; }

bool IMManager::IsReconnecting() { return reconnectStatus != nullptr && reconnectStatus->IsReconnecting(); }

PresenceStatus IMManager::CopySelfStatus()
{
    std::lock_guard<std::mutex> guard(selfLock);
    return selfStatus != nullptr ? *selfStatus : PresenceStatus(PresenceStatus::NEVER_SEEN);
}

void IMManager::PrepareSelfStatusForSignIn(bool invisible, const Ixa::Base::String& message)
{
    std::lock_guard<std::mutex> guard(selfLock);
    if (selfStatus == nullptr) {
        return;
    }
    if (invisible) {
        selfStatus->SetPresenceStatus(PresenceStatus::OFFLINE);
    }
    selfStatus->SetInvisible(invisible);
    selfStatus->SetDoNotDisturb(false);
    Ixa::Base::String text(message);
    selfStatus->SetCustomStatusMessage(text);
}

bool IMManager::GetIsAppSignedIn() { return isAppSignedIn; }

bool IMManager::GetIsAppInBackgroundState() { return isAppInBackground; }

void IMManager::SetAppInBackgroundState(bool background) { isAppInBackground = background; }

bool IMManager::GetAppExitingStatus() { return isAppExiting; }

void IMManager::SetAppExitingStatus(bool exiting)
{
    acquireNotificationLock();
    isAppExiting = exiting;
    releaseNotificationLock();
}

void IMManager::notifyEvent(EVENT_T event, void* data) { post(event, data, nullptr); }

void IMManager::notifyEvent(EVENT_T event, Ixa::Base::Collection::IList* list) { post(event, nullptr, list); }

void IMManager::notifyEvent(EVENT_T event) { post(event, nullptr, nullptr); }

void IMManager::post(EVENT_T event, void* transitionData, Ixa::Base::Collection::IList* reportList)
{
    acquireNotificationLock();
    if (isAppExiting || screenCreator == nullptr) {
        deleteList(reportList);
    } else if (isStateTransitionEvent(event)) {
        deleteList(reportList);
        screenCreator->setEventInfo(event);
        screenCreator->setDataInfo(transitionData);
        screenCreator->SendUserEvent(event, nullptr);
    } else if (Ixa::IsFailed(screenCreator->SendUserEvent(event, reportList))) {
        deleteList(reportList);
    }
    releaseNotificationLock();
}

// The screen creator is made before the engine's threads start and forgotten after they end,
// so reading it here needs no lock.
bool IMManager::postModelUpdates(IMScreen* screen)
{
    ScreenCreator* creator = screenCreator;
    if (isAppExiting || creator == nullptr) {
        return false;
    }
    auto* list = new Ixa::Base::Collection::ArrayList;
    list->Construct(1);
    list->Add(new ModelUpdateEvent(screen));
    if (Ixa::IsFailed(creator->SendUserEvent(EVENT_MODEL_UPDATE, list))) {
        deleteList(list);
        return false;
    }
    return true;
}

bool IMManager::isStateTransitionEvent(EVENT_T event)
{
    return event >= EVENT_APP_START && event <= EVENT_SHOW_LOGIN;
}

void IMManager::acquireNotificationLock()
{
    if (notificationLock != nullptr) {
        notificationLock->Acquire();
    }
}

void IMManager::releaseNotificationLock()
{
    if (notificationLock != nullptr) {
        notificationLock->Release();
    }
}

void IMManager::OnForeground()
{
    isAppInBackground = false;
    Ixa::App::NotificationManager notifications;
    notifications.Construct();
    notifications.Notify(0);
    IMScreen* screen = screenStatesObj != nullptr ? screenStatesObj->getCurrentIMScreen() : nullptr;
    if (screen != nullptr) {
        screen->onForeground();
        screen->Draw();
    }
}

void IMManager::OnBackground()
{
    isAppInBackground = true;
    if (IMScreen* screen = screenStatesObj != nullptr ? screenStatesObj->getCurrentIMScreen() : nullptr) {
        screen->onBackground();
    }
}

void IMManager::OnLowMemory() {}

void IMManager::OnScreenOn() {}

void IMManager::OnScreenOff() {}

bool IMManager::OnAppTerminating(Ixa::App::AppRegistry&, bool)
{
    if (!isAppExiting) {
        SetAppExitingStatus(true);
        CleanAllModules();
    }
    ResourceText::setLookup({});
    deleteAndClear(soundPlayer);
    deleteAndClear(vibrator);
    deleteAll();
    Ixa::App::NotificationManager notifications;
    notifications.Construct();
    notifications.RemoveOngoingActivityNotification();
    return true;
}

// The request controller goes first: its threads have stopped and it only borrows the rest.
// The screens the frame never took go before the models they are subscribed to.
void IMManager::deleteAll()
{
    deleteAndClear(requestController);
    deleteAndClear(screenStatesObj);
    deleteAndClear(reconnectStatus);
    ModelResponseImpl::DeleteInstance();
    modelResImpl = nullptr;
    deleteAndClear(contactModel);
    deleteAndClear(contactIconModel);
    deleteAndClear(groupModel);
    deleteAndClear(messageModel);
    deleteAndClear(propertiesModel);
    deleteAndClear(savedMessagesModel);
    // The quick texts are reached through their model alone; it goes with the others so that
    // a later start opens the data directory of its own time.
    delete QuickTextModel::GetInstance();
    screenCreator = nullptr;
    IconManager::DeleteInstance();
    iconManager = nullptr;
    deleteAndClear(selfStatus);
    deleteAndClear(notificationLock);
    deleteAndClear(imManager);
    std::lock_guard<std::mutex> guard(selfLock);
    displayName.Clear();
}

void IMManager::CleanAllModules()
{
    if (requestController != nullptr) {
        requestController->uninit();
    }
}

// Playing looks for a sound device and wakes the user-interface thread, too much to do for
// each message of a burst on the engine's response thread, which only asks: the first request
// posts the alert, and those that come before it is played add nothing to it.
void IMManager::RequestAlert()
{
    if (!alertWaiting.exchange(true)) {
        Ixa::Ui::UiThreadCalls::Post([] {
            alertWaiting = false;
            PlaySound();
        });
    }
}

void IMManager::PlaySound()
{
    bool silent = false;
    if (Ixa::IsFailed(Ixa::System::SettingInfo::GetValue("SilentMode", silent))) {
        silent = false;
    }
    if (silent) {
        if (vibrator != nullptr) {
            vibrator->Start(VibrationMilliseconds, 0);
        }
    } else if (soundPlayer != nullptr) {
        soundPlayer->Play();
    }
}

void IMManager::SetVoulumeForMediaPlayer() {}
