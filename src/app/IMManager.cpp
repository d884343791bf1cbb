#include "app/IMManager.h"

#include "app/IMModel.h"
#include "app/IMScreen.h"
#include "app/IconManager.h"
#include "app/ModelResponseImpl.h"
#include "app/ScreenCreator.h"
#include "app/ScreenStates.h"

#include "engine/IMFactory.h"
#include "engine/ResourceText.h"
#include "xmpp/Constants.h"
#include "platform/ArrayList.h"
#include "platform/EnrichedText.h"
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/Integer.h"
#include "platform/NotificationManager.h"
#include "platform/Player.h"
#include "platform/SettingInfo.h"
#include "platform/TextElement.h"
#include "platform/Vibrator.h"
#include "store/ContactIcon.h"
#include "store/ContactIconModel.h"
#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/Message.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"
#include "store/QuickTextModel.h"
#include "store/SavedMessagesModel.h"
#include "xmpp/Constants.h"

#include <algorithm>
#include <memory>

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

constexpr int FormatLimit = 255;
constexpr int VibrationMilliseconds = 1000;
const char* const AlertSound = "/Res/msn_newmsg.amr";
const char* const DefaultAvatar = "no_contacts.png";
const char* const NotificationLaunchPrefix = "Notification from Non Buddy:";

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

Ixa::Base::String twoDigits(int value)
{
    Ixa::Base::String text;
    if (value < 10) {
        text.Append('0');
    }
    text.Append(value);
    return text;
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
            IMModel::setNotificationLock(lock);
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

Ixa::result IMManager::InitAudioPlayer()
{
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

bool IMManager::isStateTransitionEvent(EVENT_T event)
{
    return event >= EVENT_APP_START && event <= EVENT_SHOW_LOGIN && event != 0xA016;
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
    IMModel::setNotificationLock(nullptr);
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

void IMManager::OnChatMessageArrived(const Message& message)
{
    const bool melody = GetPropertiesModel()->GetAlertSettings() == Ixa::Base::String("melody");
    if (!isAppInBackground) {
        const bool chatVisible = screenStatesObj != nullptr && screenStatesObj->getState() == STATE_CHAT;
        if (melody && !chatVisible) {
            PlaySound();
        }
        return;
    }
    Ixa::Base::String text(message.GetOtherUserId());
    text.Append(" : ");
    text.Append(message.GetMessage());
    if (melody) {
        PlaySound();
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
    isAppSignedIn = true;
    notifyEvent(EVENT_SIGN_IN_SUCCESS);
    notifyEvent(EVENT_SIGN_IN_DONE);
}

void IMManager::OnSignInError(int code, const Ixa::Base::String* text)
{
    bySignInCancel([] { notifyEvent(EVENT_SIGN_IN_CANCELLED); }, [code, text] { postReport(EVENT_SIGN_IN_ERROR, code, text); });
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

Ixa::Base::String IMManager::GetStringFromResource(const Ixa::Base::String& id)
{
    if (appResource == nullptr) {
        return "(Error)";
    }
    Ixa::Base::String text;
    if (Ixa::IsFailed(appResource->GetString(id, text))) {
        return Ixa::Base::String();
    }
    return text;
}

// The resource texts hold one "%ls" for their argument; replacing it, rather than running a
// formatter, keeps text from the server (user ids) from ever acting as a format.
Ixa::Base::String IMManager::GetFormatString(const Ixa::Base::String& format, const Ixa::Base::String& arg)
{
    Ixa::Base::String text(format);
    text.Replace("%ls", arg);
    if (text.GetLength() > FormatLimit) {
        text.Remove(FormatLimit, text.GetLength() - FormatLimit);
    }
    return text;
}

Ixa::Graphics::Bitmap* IMManager::GetBitmapN(const Ixa::Base::String& name)
{
    return appResource != nullptr ? appResource->GetBitmapN(name) : nullptr;
}

Ixa::Graphics::Bitmap* IMManager::GetBitmapFromContactIcon(ContactIcon* icon)
{
    IMByteBuffer* bytes = icon != nullptr ? icon->GetImageByteBuffer() : nullptr;
    Ixa::Media::Image decoder;
    if (bytes != nullptr && bytes->GetLimit() > 0 && Ixa::IsSucceeded(decoder.Construct())) {
        // A vCard photo does not say how it is encoded, so every format the handset
        // decodes is tried in turn.
        for (Ixa::Media::ImageFormat format : {Ixa::Media::IMG_FORMAT_JPG, Ixa::Media::IMG_FORMAT_PNG, Ixa::Media::IMG_FORMAT_GIF, Ixa::Media::IMG_FORMAT_BMP}) {
            const auto pixels = format == Ixa::Media::IMG_FORMAT_PNG ? Ixa::Graphics::BITMAP_PIXEL_FORMAT_ARGB8888 : Ixa::Graphics::BITMAP_PIXEL_FORMAT_RGB565;
            if (Ixa::Graphics::Bitmap* bitmap = decoder.DecodeN(*bytes, format, pixels)) {
                return bitmap;
            }
        }
    }
    return GetBitmapN(DefaultAvatar);
}

Ixa::Graphics::Bitmap* IMManager::GetSelfIcon()
{
    ContactIconModel* icons = GetContactIconModel();
    if (icons == nullptr) {
        return GetBitmapN(DefaultAvatar);
    }
    IMString user(GetPropertiesModel()->GetUserName());
    int at = -1;
    if (Ixa::IsFailed(user.IndexOf(L'@', 0, at))) {
        user.Append('@');
        user.Append(Constants::DOMAIN);
    }
    std::unique_ptr<ContactIcon> icon(icons->GetImage(user));
    return GetBitmapFromContactIcon(icon.get());
}

Ixa::Graphics::Bitmap* IMManager::GetPresenceIconByType(int type, bool flag, int device)
{
    return iconManager != nullptr ? iconManager->GetPresenceIconByType(type, flag, device) : nullptr;
}

Ixa::Base::String IMManager::GetTimeAsString(const Ixa::Base::DateTime* time)
{
    if (time == nullptr) {
        return Ixa::Base::String();
    }
    bool twentyFour = false;
    if (Ixa::IsFailed(Ixa::System::SettingInfo::GetValue("24HourFormatSelected", twentyFour))) {
        twentyFour = false;
    }
    int hour = time->GetHour();
    Ixa::Base::String suffix;
    if (!twentyFour) {
        suffix = hour < 12 ? " AM" : " PM";
        hour = hour % 12 == 0 ? 12 : hour % 12;
    }
    Ixa::Base::String text = twoDigits(hour);
    text.Append(':');
    text.Append(twoDigits(time->GetMinute()));
    text.Append(suffix);
    return text;
}

Ixa::Base::String IMManager::GetDisplayName()
{
    {
        std::lock_guard<std::mutex> guard(selfLock);
        if (!displayName.IsEmpty()) {
            return displayName;
        }
    }
    return GetPropertiesModel()->GetUserName();
}

int IMManager::GetLabelHeightBasedOnText(const Ixa::Base::String* text, int size, int width, int)
{
    if (text == nullptr) {
        return 0;
    }
    constexpr int Inset = 15;
    constexpr int BoxHeight = 800;
    Ixa::Graphics::Font font;
    font.Construct(Ixa::Graphics::FONT_STYLE_PLAIN, size);
    Ixa::Graphics::TextElement element;
    element.Construct(*text);
    element.SetFont(font);
    Ixa::Graphics::EnrichedText layout;
    layout.Construct(Ixa::Graphics::Dimension(width - Inset, BoxHeight));
    layout.SetHorizontalAlignment(Ixa::Graphics::TEXT_ALIGNMENT_CENTER);
    layout.SetTextWrapStyle(Ixa::Graphics::TEXT_WRAP_WORD_WRAP);
    layout.Add(element);
    const int height = layout.GetTotalLineHeight();
    layout.RemoveAll(false);
    return height;
}
