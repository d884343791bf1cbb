#include "app/IMScreen.h"

#include "app/IMManager.h"
#include "app/ModelNotification.h"

#include "app/PopupBuilder.h"

#include "platform/Popup.h"

bool IMScreen::isPopUpInitialised = false;
SubscriptionQueue IMScreen::subscriptions;
IMScreen* IMScreen::asking = nullptr;

IMScreen::IMScreen() = default;

// Leaving the models waits for a model call into this view that is under way on a worker
// thread, and keeps later ones away. Screens the frame owns have left their models in
// OnTerminating already; the others leave here.
IMScreen::~IMScreen()
{
    if (asking == this) {
        asking = nullptr;
    }
    unsubscribeToModels();
}

// A destructor comes too late for the frame's screens: by the time this class's destructor
// runs, the derived screen is gone, and a worker thread could still be calling into it.
Ixa::result IMScreen::OnTerminating()
{
    unsubscribeToModels();
    return IMView::OnTerminating();
}

// Each platform callback goes to the controller's handler of the same name.
#define FORWARD(call)            \
    if (controller != nullptr) { \
        controller->call;        \
    }

void IMScreen::OnActionPerformed(const Control& source, int actionId)
{
    if (controller != nullptr && !controller->processActionGeneric(source, actionId, this)) {
        controller->processAction(source, actionId, this);
    }
}

void IMScreen::OnAnimationStopped(const Control& source) { FORWARD(processAnimationStopped(source, this)) }
void IMScreen::OnOrientationChanged(const Control& source, Ixa::Ui::OrientationStatus status) { FORWARD(processOrientation(source, status, this)) }
void IMScreen::OnKeyLongPressed(const Control& source, Ixa::Ui::KeyCode key) { FORWARD(processKeyLongPressed(source, key, this)) }
void IMScreen::OnKeyPressed(const Control& source, Ixa::Ui::KeyCode key) { FORWARD(processKeyPressed(source, key, this)) }
void IMScreen::OnKeyReleased(const Control& source, Ixa::Ui::KeyCode key) { FORWARD(processKeyReleased(source, key, this)) }
void IMScreen::OnTouchDoublePressed(const Control& source, const Point& at, const TouchInfo& info) { FORWARD(processTouchDoublePressed(source, at, info, this)) }
void IMScreen::OnTouchFocusIn(const Control& source, const Point& at, const TouchInfo& info) { FORWARD(processTouchFocusIn(source, at, info, this)) }
void IMScreen::OnTouchFocusOut(const Control& source, const Point& at, const TouchInfo& info) { FORWARD(processTouchFocusOut(source, at, info, this)) }
void IMScreen::OnTouchLongPressed(const Control& source, const Point& at, const TouchInfo& info) { FORWARD(processTouchLongPressed(source, at, info, this)) }
void IMScreen::OnTouchMoved(const Control& source, const Point& at, const TouchInfo& info) { FORWARD(processTouchMoved(source, at, info, this)) }
void IMScreen::OnTouchPressed(const Control& source, const Point& at, const TouchInfo& info) { FORWARD(processTouchPressed(source, at, info, this)) }
void IMScreen::OnTouchReleased(const Control& source, const Point& at, const TouchInfo& info) { FORWARD(processTouchReleased(source, at, info, this)) }
void IMScreen::OnItemStateChanged(const Control& source, int index, int itemId, Ixa::Ui::ItemStatus status) { FORWARD(processItemStateChanged(source, index, itemId, status, this)) }
void IMScreen::OnItemStateChanged(const Control& source, int index, int itemId, int elementId, Ixa::Ui::ItemStatus status)
{
    FORWARD(processItemStateChanged(source, index, itemId, elementId, status, this))
}
void IMScreen::OnItemStateChanged(const Control& source, int groupIndex, int itemIndex, int itemId, int elementId, Ixa::Ui::ItemStatus status)
{
    FORWARD(processItemStateChanged(source, groupIndex, itemIndex, itemId, elementId, status, this))
}
void IMScreen::OnListPropertyRequested(const Control& source) { FORWARD(processListPropertyRequested(source, this)) }
void IMScreen::OnLoadToTopRequested(const Control& source, int groupIndex, int itemIndex, int numItems)
{
    FORWARD(processLoadToTopRequested(source, groupIndex, itemIndex, numItems, this))
}
void IMScreen::OnLoadToBottomRequested(const Control& source, int groupIndex, int itemIndex, int numItems)
{
    FORWARD(processLoadToBottomRequested(source, groupIndex, itemIndex, numItems, this))
}
void IMScreen::OnUnloadItemRequested(const Control& source, int groupIndex, int itemIndex) { FORWARD(processUnloadItemRequested(source, groupIndex, itemIndex, this)) }
void IMScreen::OnLoadToTopRequested(const Control& source, int index, int numItems) { FORWARD(processLoadItemTop(source, index, numItems, this)) }
void IMScreen::OnLoadToBottomRequested(const Control& source, int index, int numItems) { FORWARD(processLoadItemBottom(source, index, numItems, this)) }
void IMScreen::OnUnloadItemRequested(const Control& source, int itemIndex) { FORWARD(processUnloadItemRequested(source, itemIndex, this)) }
void IMScreen::OnTimerExpired(Ixa::Base::Runtime::Timer& timer) { FORWARD(processTimerExpired(timer, this)) }
void IMScreen::OnOverlayControlCreated(const Control& source) { FORWARD(processOverlayControlCreated(source, this)) }
void IMScreen::OnOverlayControlOpened(const Control& source) { FORWARD(processOverlayControlOpened(source, this)) }
void IMScreen::OnOverlayControlClosed(const Control& source) { FORWARD(processOverlayControlClosed(source, this)) }
void IMScreen::OnOtherControlSelected(const Control& source) { FORWARD(processOtherControlSelected(source, this)) }
void IMScreen::OnTextValueChanged(const Control& source) { FORWARD(OnTextValueChanged(source, this)) }
void IMScreen::OnTextValueChangeCanceled(const Control& source) { FORWARD(OnTextValueChangeCanceled(source, this)) }
void IMScreen::OnListViewContextItemStateChanged(ListView& list, int index, int elementId, ListContextItemStatus status)
{
    FORWARD(processListViewContextItemStateChanged(list, index, elementId, status, this))
}
void IMScreen::OnListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status)
{
    FORWARD(processListViewItemStateChanged(list, index, elementId, status, this))
}
void IMScreen::OnListViewItemSwept(ListView& list, int index, SweepDirection direction) { FORWARD(processListViewItemSwept(list, index, direction, this)) }
void IMScreen::OnGroupedListViewContextItemStateChanged(GroupedListView& list, int groupIndex, int itemIndex, int elementId, ListContextItemStatus status)
{
    FORWARD(processGroupedListViewContextItemStateChanged(list, groupIndex, itemIndex, elementId, status, this))
}
void IMScreen::OnGroupedListViewItemStateChanged(GroupedListView& list, int groupIndex, int itemIndex, int elementId, ListItemStatus status)
{
    FORWARD(processGroupedListViewItemStateChanged(list, groupIndex, itemIndex, elementId, status, this))
}
void IMScreen::OnGroupedListViewItemSwept(GroupedListView& list, int groupIndex, int itemIndex, SweepDirection direction)
{
    FORWARD(processGroupedListViewItemSwept(list, groupIndex, itemIndex, direction, this))
}
void IMScreen::OnFastScrollIndexSelected(Control& source, Ixa::Base::String& index) { FORWARD(processFastScrollIndexSelected(source, index, this)) }
void IMScreen::OnSearchBarModeChanged(Ixa::Ui::Controls::SearchBar& source, Ixa::Ui::Controls::SearchBarMode mode) { FORWARD(processSearchBarModeChanged(source, mode, this)) }
void IMScreen::OnKeypadWillOpen(Control& source) { FORWARD(processKeypadWillOpen(source, this)) }
void IMScreen::OnKeypadOpened(Control& source) { FORWARD(processKeypadOpened(source, this)) }
void IMScreen::OnKeypadClosed(Control& source) { FORWARD(processKeypadClosed(source, this)) }
void IMScreen::OnKeypadActionPerformed(Control& source, Ixa::Ui::KeypadAction action) { FORWARD(processKeypadActionPerformed(source, action, this)) }
void IMScreen::OnFormBackRequested(Ixa::Ui::Controls::Form& source) { FORWARD(processFormBackRequested(source, this)) }
void IMScreen::OnPlayerOpened(Ixa::result outcome) { FORWARD(ProcessPlayerOpened(outcome, this)) }
void IMScreen::OnPlayerEndOfClip() { FORWARD(ProcessPlayerEndOfClip(this)) }
void IMScreen::OnPlayerBuffering(int percent) { FORWARD(ProcessPlayerBuffering(percent, this)) }
void IMScreen::OnPlayerErrorOccurred(Ixa::Media::PlayerErrorReason reason) { FORWARD(ProcessPlayerErrorOccurred(reason, this)) }
void IMScreen::OnPlayerInterrupted() { FORWARD(ProcessPlayerInterrupted(this)) }
void IMScreen::OnPlayerReleased() { FORWARD(ProcessPlayerReleased(this)) }
void IMScreen::OnPlayerSeekCompleted(Ixa::result outcome) { FORWARD(ProcessPlayerSeekCompleted(outcome, this)) }
void IMScreen::OnLinkClicked(Control& source, const Ixa::Base::String& text, Ixa::Graphics::LinkType type, const Ixa::Base::String& link)
{
    FORWARD(processOnLinkClicked(source, text, type, link, this))
}

#undef FORWARD

int IMScreen::GetItemCount() { return controller != nullptr ? controller->processGetItemCount(this) : 0; }

IMScreen::ListItemBase* IMScreen::CreateItem(int index, int itemWidth)
{
    return controller != nullptr ? controller->processCreateItem(index, itemWidth, this) : nullptr;
}

bool IMScreen::DeleteItem(int index, ListItemBase* item, int itemWidth)
{
    return controller != nullptr && controller->processDeleteItem(index, item, itemWidth, this);
}

int IMScreen::GetGroupCount() { return controller != nullptr ? controller->processGetGroupCount(this) : 0; }

int IMScreen::GetItemCount(int groupIndex) { return controller != nullptr ? controller->processGetItemCount(groupIndex, this) : 0; }

IMScreen::GroupItem* IMScreen::CreateGroupItem(int groupIndex, int itemWidth)
{
    return controller != nullptr ? controller->processCreateGroupItem(groupIndex, itemWidth, this) : nullptr;
}

IMScreen::ListItemBase* IMScreen::CreateItem(int groupIndex, int itemIndex, int itemWidth)
{
    return controller != nullptr ? controller->processCreateItem(groupIndex, itemIndex, itemWidth, this) : nullptr;
}

bool IMScreen::DeleteGroupItem(int groupIndex, GroupItem* item, int itemWidth)
{
    return controller != nullptr && controller->processDeleteGroupItem(groupIndex, item, itemWidth, this);
}

bool IMScreen::DeleteItem(int groupIndex, int itemIndex, ListItemBase* item, int itemWidth)
{
    return controller != nullptr && controller->processDeleteItem(groupIndex, itemIndex, item, itemWidth, this);
}

void IMScreen::onModelUpdate(IMModel*, void* data)
{
    const auto* notification = static_cast<const ModelNotification*>(data);
    if (notification != nullptr && modelUpdates_.Add(*notification) && !IMManager::postModelUpdates(this)) {
        // Nothing will deliver them: the application is ending.
        modelUpdates_.TakeAll();
    }
}

void IMScreen::deliverModelUpdates()
{
    std::vector<ModelNotification> batch = modelUpdates_.TakeAll();
    if (!batch.empty()) {
        onModelUpdates(batch);
    }
}

void IMScreen::onModelUpdates(std::vector<ModelNotification>& batch)
{
    for (ModelNotification& update : batch) {
        onModelUpdate(static_cast<void*>(&update));
    }
}

void IMScreen::updateScreen() {}

void IMScreen::onStateTransition(EVENT_T event, void* data)
{
    currentEvent = event;
    if (data != nullptr) {
        eventData = data;
    }
    setModelDependency();
    subscribeToModels();
    if (!isInitialized) {
        controller = getController();
        isInitialized = Initialize();
        if (!isInitialized) {
            return;
        }
    } else {
        updateScreen();
    }
    show();
    if (event == EVENT_SHOW_LOGIN) {
        dropSubscriptionRequests();
    } else {
        askOldestSubscription();
    }
}

void IMScreen::onModelUpdate(void*) {}

void IMScreen::willLossFocus() {}

void IMScreen::thisViewDependsOnModel(IMModel* model)
{
    if (model != nullptr) {
        dependentModels.push_back(model);
    }
}

void IMScreen::subscribeToModels()
{
    for (IMModel* model : dependentModels) {
        model->subscribe(this);
    }
}

void IMScreen::unsubscribeToModels()
{
    for (IMModel* model : dependentModels) {
        model->unsubscribe(this);
    }
}

void IMScreen::cleanModelList() { dependentModels.clear(); }

void IMScreen::onBackground() {}

void IMScreen::onForeground()
{
    if (!isPopUpInitialised && popups.ShowAgain(POPUP_CONNECTION_END)) {
        isPopUpInitialised = true;
    }
}

void IMScreen::SetCurrentAndShow()
{
    if (isInitialized) {
        show();
    }
}

void IMScreen::resetChatInput() {}

void IMScreen::handleViewEvent(EVENT_T event, int, const Ixa::Base::String* text)
{
    IMManager::acquireNotificationLock();
    if (!handleEvent(event)) {
        applyDefaultReaction(event, text);
    }
    IMManager::releaseNotificationLock();
}

void IMScreen::applyDefaultReaction(EVENT_T event, const Ixa::Base::String* text)
{
    const bool hasText = text != nullptr && !text->IsEmpty();
    switch (event) {
    case EVENT_CONNECTION_LOST:
        InitializeAndShowPopup(POPUP_CONNECTION_END, IMManager::GetStringFromResource("IDS_CONNECTION_LOST"));
        break;
    case EVENT_SERVER_SIGNED_OUT:
        InitializeAndShowPopup(POPUP_CONNECTION_END, IMManager::GetStringFromResource("IDS_SERVER_INITIATED_SIGNOUT"));
        break;
    case EVENT_SIGN_IN_ERROR:
        InitializeAndShowPopup(POPUP_INFO, hasText ? *text : IMManager::GetStringFromResource("IDS_SIGN_IN_ERROR"));
        break;
    case EVENT_SUBSCRIPTION_REQUEST:
        if (text != nullptr) {
            subscriptions.Add(*text);
            askOldestSubscription();
        }
        break;
    case EVENT_BLOCK_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_BLOCK_FAILED"));
        break;
    case EVENT_PRESENCE_UPDATE_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_SELF_PRESENCE_UPDATE_FAILED"));
        break;
    case EVENT_DELETE_CONTACT_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_DELETE_FAILED"));
        break;
    case EVENT_DENY_SUBSCRIPTION_FAILED:
        if (text != nullptr) {
            InitializeAndShowPopup(POPUP_INFO, *text);
        }
        break;
    case EVENT_SERVER_ERROR: {
        Ixa::Base::String message = IMManager::GetStringFromResource("IDS_IM_POP_SERVER_ERR");
        message.Append("   ");
        InitializeAndShowPopup(POPUP_INFO, message);
        break;
    }
    case EVENT_ADD_CONTACT_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_ADD_FAILED"));
        break;
    case EVENT_SIGN_IN_SUCCESS:
        if (RequestController* requests = IMManager::GetRequestController()) {
            requests->refreshLists(false);
        }
        break;
    case EVENT_SIGN_OUT_SUCCESS:
        IMManager::notifyEvent(EVENT_SHOW_LOGIN);
        break;
    default:
        break;
    }
}

void IMScreen::AnswerSubscriptionRequest(bool allow)
{
    RemovePopup(POPUP_QUESTION);
    asking = nullptr;
    subscriptions.AnswerOldest(allow);
    askOldestSubscription();
}

// Popups stay up over the next screen, so one question on any screen is enough; a question
// that a screen took down (returning screens clear their popups) is asked again here.
void IMScreen::askOldestSubscription()
{
    if (subscriptions.IsEmpty() || (asking != nullptr && asking->HasPopup(POPUP_QUESTION))) {
        return;
    }
    asking = this;
    InitializeAndShowPopup(POPUP_QUESTION,
        IMManager::GetFormatString(IMManager::GetStringFromResource("IDS_IM_POP_ALLOW_PS_TO_ADD_YOU_AS_FRIEND_Q"), subscriptions.Oldest()));
}

// Signed out, nobody can answer: the server asks again after the next sign-in.
void IMScreen::dropSubscriptionRequests()
{
    subscriptions.Clear();
    if (asking != nullptr) {
        asking->RemovePopup(POPUP_QUESTION);
        asking = nullptr;
    }
}

void IMScreen::InitializeAndShowPopup(int kind, const Ixa::Base::String& text)
{
    std::unique_ptr<Ixa::Ui::Controls::Popup> popup = buildPopup(kind, text);
    if (kind == POPUP_CONNECTION_END) {
        if (IMManager::GetIsAppInBackgroundState()) {
            popups.Keep(kind, std::move(popup));
            return;
        }
        isPopUpInitialised = true;
    }
    popups.Show(kind, std::move(popup));
}

std::unique_ptr<Ixa::Ui::Controls::Popup> IMScreen::buildPopup(int kind, const Ixa::Base::String& text)
{
    switch (kind) {
    case POPUP_QUESTION:
        return PopupBuilder::Question(text, ACTION_QUESTION_YES, ACTION_QUESTION_NO, *this);
    case POPUP_INFO:
        return PopupBuilder::Notice(PopupBuilder::ICON_WARNING, text, ACTION_INFO_OK, *this);
    case POPUP_CONNECTION_END:
        return PopupBuilder::Notice(PopupBuilder::ICON_NONE, text, ACTION_CONNECTION_END_OK, *this);
    case POPUP_BUDDY_BLOCKED:
        return PopupBuilder::Notice(PopupBuilder::ICON_NONE, text, ACTION_BLOCKED_OK, *this);
    default:
        return PopupBuilder::Notice(PopupBuilder::ICON_NONE, text, ACTION_DELETED_OK, *this);
    }
}

void IMScreen::RemovePopup(int kind)
{
    if (!popups.Close(kind)) {
        return;
    }
    Draw();
    if (kind == POPUP_CONNECTION_END) {
        isPopUpInitialised = false;
    }
}

bool IMScreen::HasPopup(int kind) const { return popups.Has(kind); }

void IMScreen::CleanActivePopups()
{
    for (int kind : {POPUP_INFO, POPUP_QUESTION, POPUP_CONNECTION_END, POPUP_BUDDY_BLOCKED, POPUP_BUDDY_DELETED}) {
        RemovePopup(kind);
    }
}
