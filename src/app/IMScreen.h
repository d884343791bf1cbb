// The base of every screen: a view that forwards each platform input callback to its
// controller, subscribes to the models it shows while it is active, carries model updates
// over to the user-interface thread, shows the framework's popups and gives report events
// their default reaction when the screen itself does not handle them.
//
// Activation (onStateTransition): the screen registers its models, subscribes, initialises
// itself on the first activation (or refreshes with updateScreen on later ones) and shows.
//
// Model updates wait in the screen's queue and reach the screen in batches: a burst of
// changes costs one delivery, and a screen that redraws once per batch redraws once per burst.
//
// Threading: user-interface thread, except onModelUpdate(IMModel*, void*), which runs on the
// thread that changed the model and only queues (posting one wake-up per batch). Ownership: the concrete screen owns the
// controller that getController() answers; the popups belong to this base (its PopupKeeper);
// models are borrowed; the state machine creates the screen and the frame owns it once shown.
// Subscription requests wait in one queue that every screen shares: the shown screen asks
// about the oldest, and a sign-out drops them.
#pragma once

#include "app/AppEvents.h"
#include "app/IMController.h"
#include "app/IMView.h"
#include "app/ModelUpdateQueue.h"
#include "app/PopupKeeper.h"
#include "app/StateTransitionHandler.h"
#include "app/SubscriptionQueue.h"

#include "foundation/IMString.h"

#include <memory>
#include <vector>

namespace Ixa::Ui::Controls {
class Popup;
}

class IMScreen : public IMView, public StateTransitionHandler {
public:
    enum PopupKind {
        POPUP_INFO = 0,
        POPUP_QUESTION = 1,
        POPUP_CONNECTION_END = 2,
        POPUP_BUDDY_BLOCKED = 14,
        POPUP_BUDDY_DELETED = 15,
        // A screen's own question (the buddy list's confirmations): one at a time.
        POPUP_SCREEN_QUESTION = 16,
    };
    enum PopupAction {
        ACTION_INFO_OK = 3010,
        ACTION_QUESTION_YES = 3011,
        ACTION_QUESTION_NO = 3012,
        ACTION_CONNECTION_END_OK = 3013,
        ACTION_BLOCKED_OK = 3018,
        ACTION_DELETED_OK = 3019,
    };

    using Point = IMController::Point;
    using TouchInfo = IMController::TouchInfo;
    using ListView = IMController::ListView;
    using GroupedListView = IMController::GroupedListView;
    using ListItemBase = IMController::ListItemBase;
    using GroupItem = IMController::GroupItem;
    using ListItemStatus = IMController::ListItemStatus;
    using ListContextItemStatus = IMController::ListContextItemStatus;
    using SweepDirection = IMController::SweepDirection;

    IMScreen();
    ~IMScreen() override;

    // The frame calls this before it deletes the screen: the screen leaves its models while
    // it is still whole, so no worker thread calls into a screen that is being torn down.
    Ixa::result OnTerminating() override;

    // Platform callbacks, each forwarded to the controller.
    void OnActionPerformed(const Control& source, int actionId) override;
    void OnAnimationStopped(const Control& source) override;
    void OnOrientationChanged(const Control& source, Ixa::Ui::OrientationStatus status) override;
    void OnKeyLongPressed(const Control& source, Ixa::Ui::KeyCode key) override;
    void OnKeyPressed(const Control& source, Ixa::Ui::KeyCode key) override;
    void OnKeyReleased(const Control& source, Ixa::Ui::KeyCode key) override;
    void OnTouchDoublePressed(const Control& source, const Point& at, const TouchInfo& info) override;
    void OnTouchFocusIn(const Control& source, const Point& at, const TouchInfo& info) override;
    void OnTouchFocusOut(const Control& source, const Point& at, const TouchInfo& info) override;
    void OnTouchLongPressed(const Control& source, const Point& at, const TouchInfo& info) override;
    void OnTouchMoved(const Control& source, const Point& at, const TouchInfo& info) override;
    void OnTouchPressed(const Control& source, const Point& at, const TouchInfo& info) override;
    void OnTouchReleased(const Control& source, const Point& at, const TouchInfo& info) override;
    void OnItemStateChanged(const Control& source, int index, int itemId, Ixa::Ui::ItemStatus status) override;
    void OnItemStateChanged(const Control& source, int index, int itemId, int elementId, Ixa::Ui::ItemStatus status) override;
    void OnItemStateChanged(const Control& source, int groupIndex, int itemIndex, int itemId, int elementId, Ixa::Ui::ItemStatus status) override;
    void OnListPropertyRequested(const Control& source) override;
    void OnLoadToTopRequested(const Control& source, int groupIndex, int itemIndex, int numItems) override;
    void OnLoadToBottomRequested(const Control& source, int groupIndex, int itemIndex, int numItems) override;
    void OnUnloadItemRequested(const Control& source, int groupIndex, int itemIndex) override;
    void OnLoadToTopRequested(const Control& source, int index, int numItems) override;
    void OnLoadToBottomRequested(const Control& source, int index, int numItems) override;
    void OnUnloadItemRequested(const Control& source, int itemIndex) override;
    void OnTimerExpired(Ixa::Base::Runtime::Timer& timer) override;
    void OnOverlayControlCreated(const Control& source) override;
    void OnOverlayControlOpened(const Control& source) override;
    void OnOverlayControlClosed(const Control& source) override;
    void OnOtherControlSelected(const Control& source) override;
    void OnTextValueChanged(const Control& source) override;
    void OnTextValueChangeCanceled(const Control& source) override;
    void OnListViewContextItemStateChanged(ListView& list, int index, int elementId, ListContextItemStatus status) override;
    void OnListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status) override;
    void OnListViewItemSwept(ListView& list, int index, SweepDirection direction) override;
    int GetItemCount() override;
    ListItemBase* CreateItem(int index, int itemWidth) override;
    bool DeleteItem(int index, ListItemBase* item, int itemWidth) override;
    void OnGroupedListViewContextItemStateChanged(GroupedListView& list, int groupIndex, int itemIndex, int elementId, ListContextItemStatus status) override;
    void OnGroupedListViewItemStateChanged(GroupedListView& list, int groupIndex, int itemIndex, int elementId, ListItemStatus status) override;
    void OnGroupedListViewItemSwept(GroupedListView& list, int groupIndex, int itemIndex, SweepDirection direction) override;
    int GetGroupCount() override;
    int GetItemCount(int groupIndex) override;
    GroupItem* CreateGroupItem(int groupIndex, int itemWidth) override;
    ListItemBase* CreateItem(int groupIndex, int itemIndex, int itemWidth) override;
    bool DeleteGroupItem(int groupIndex, GroupItem* item, int itemWidth) override;
    bool DeleteItem(int groupIndex, int itemIndex, ListItemBase* item, int itemWidth) override;
    void OnFastScrollIndexSelected(Control& source, Ixa::Base::String& index) override;
    void OnSearchBarModeChanged(Ixa::Ui::Controls::SearchBar& source, Ixa::Ui::Controls::SearchBarMode mode) override;
    void OnKeypadWillOpen(Control& source) override;
    void OnKeypadOpened(Control& source) override;
    void OnKeypadClosed(Control& source) override;
    void OnKeypadActionPerformed(Control& source, Ixa::Ui::KeypadAction action) override;
    void OnFormBackRequested(Ixa::Ui::Controls::Form& source) override;
    void OnPlayerOpened(Ixa::result outcome) override;
    void OnPlayerEndOfClip() override;
    void OnPlayerBuffering(int percent) override;
    void OnPlayerErrorOccurred(Ixa::Media::PlayerErrorReason reason) override;
    void OnPlayerInterrupted() override;
    void OnPlayerReleased() override;
    void OnPlayerSeekCompleted(Ixa::result outcome) override;
    void OnLinkClicked(Control& source, const Ixa::Base::String& text, Ixa::Graphics::LinkType type, const Ixa::Base::String& link) override;

    // Constructs the form and its controls; false leaves the screen unshown.
    virtual bool Initialize() = 0;
    // Worker thread: queues a copy of the model's notification for the user-interface thread.
    void onModelUpdate(IMModel* model, void* data) override;
    // User-interface thread: hands the waiting model updates to onModelUpdates.
    void deliverModelUpdates();
    // Refreshes an already initialised screen on a later activation.
    virtual void updateScreen();
    virtual IMController* getController() = 0;
    virtual IMModel* getModel() = 0;
    // True when the screen reacted to the report event itself.
    virtual bool handleEvent(EVENT_T event) = 0;
    void onStateTransition(EVENT_T event, void* data) override;
    virtual void setModelDependency() = 0;
    virtual void InitializeAndShowPopup(int kind, const Ixa::Base::String& text);
    virtual void RemovePopup(int kind);
    // User-interface thread: a batch of model updates, oldest first; by default each goes to
    // onModelUpdate in turn.
    virtual void onModelUpdates(std::vector<ModelNotification>& batch);
    // User-interface thread: a model update, as a ModelNotification that lives for the call.
    virtual void onModelUpdate(void* data);
    virtual void willLossFocus();
    virtual void unsubscribeToModels();
    virtual void cleanModelList();
    virtual void onBackground();
    virtual void onForeground();
    void SetCurrentAndShow() override;
    // Empties the chat input after a blocked or deleted popup; only the chat screen has one.
    virtual void resetChatInput();

    void thisViewDependsOnModel(IMModel* model);
    void subscribeToModels();
    // A report event: the screen's handleEvent first, else the default reaction.
    void handleViewEvent(EVENT_T event, int code, const Ixa::Base::String* text);
    void CleanActivePopups();
    // Answers the oldest subscription request: allow or deny the asking user; the next
    // request, if any, is asked at once.
    void AnswerSubscriptionRequest(bool allow);
    bool HasPopup(int kind) const;

    static bool isPopUpInitialised;

protected:
    // The screen's popups, the framework's and the screen's own kinds alike.
    PopupKeeper& Popups() { return popups; }
    const PopupKeeper& Popups() const { return popups; }

    EVENT_T currentEvent = EVENT_APP_START;
    void* eventData = nullptr;
    IMController* controller = nullptr;

private:
    void applyDefaultReaction(EVENT_T event, const Ixa::Base::String* text);
    std::unique_ptr<Ixa::Ui::Controls::Popup> buildPopup(int kind, const Ixa::Base::String& text);
    void askOldestSubscription();
    void dropSubscriptionRequests();

    // The requests wait here for whichever screen is shown; `asking` is the screen whose
    // question is up, if any.
    static SubscriptionQueue subscriptions;
    static IMScreen* asking;

    std::vector<IMModel*> dependentModels;
    ModelUpdateQueue modelUpdates_;
    bool isInitialized = false;
    PopupKeeper popups;
};
