#include "app/IMController.h"

#include "app/IMManager.h"
#include "app/IMScreen.h"

IMController::~IMController() = default;

void IMController::processKeyLongPressed(const Control&, KeyCode, IMView*) {}
void IMController::processKeyPressed(const Control&, KeyCode, IMView*) {}
void IMController::processKeyReleased(const Control&, KeyCode, IMView*) {}
void IMController::processTouchDoublePressed(const Control&, const Point&, const TouchInfo&, IMView*) {}
void IMController::processTouchFocusIn(const Control&, const Point&, const TouchInfo&, IMView*) {}
void IMController::processTouchFocusOut(const Control&, const Point&, const TouchInfo&, IMView*) {}
void IMController::processTouchLongPressed(const Control&, const Point&, const TouchInfo&, IMView*) {}
void IMController::processTouchMoved(const Control&, const Point&, const TouchInfo&, IMView*) {}
void IMController::processTouchPressed(const Control&, const Point&, const TouchInfo&, IMView*) {}
void IMController::processTouchReleased(const Control&, const Point&, const TouchInfo&, IMView*) {}
void IMController::processItemStateChanged(const Control&, int, int, ItemStatus, IMView*) {}
void IMController::processItemStateChanged(const Control&, int, int, int, ItemStatus, IMView*) {}
void IMController::processListPropertyRequested(const Control&, IMView*) {}
void IMController::processLoadToTopRequested(const Control&, int, int, int, IMView*) {}
void IMController::processLoadToBottomRequested(const Control&, int, int, int, IMView*) {}
void IMController::processUnloadItemRequested(const Control&, int, int, IMView*) {}
void IMController::processLoadItemTop(const Control&, int, int, IMView*) {}
void IMController::processLoadItemBottom(const Control&, int, int, IMView*) {}
void IMController::processUnloadItemRequested(const Control&, int, IMView*) {}
void IMController::processItemStateChanged(const Control&, int, int, int, int, ItemStatus, IMView*) {}
void IMController::processTimerExpired(Ixa::Base::Runtime::Timer&, IMView*) {}
IMController::GroupItem* IMController::processCreateGroupItem(int, int, IMView*) { return nullptr; }
IMController::ListItemBase* IMController::processCreateItem(int, int, int, IMView*) { return nullptr; }
bool IMController::processDeleteGroupItem(int, GroupItem*, int, IMView*) { return false; }
bool IMController::processDeleteItem(int, int, ListItemBase*, int, IMView*) { return false; }
int IMController::processGetGroupCount(IMView*) { return 0; }
int IMController::processGetItemCount(int, IMView*) { return 0; }
void IMController::processGroupedListViewContextItemStateChanged(GroupedListView&, int, int, int, ListContextItemStatus, IMView*) {}
void IMController::processGroupedListViewItemStateChanged(GroupedListView&, int, int, int, ListItemStatus, IMView*) {}
void IMController::processGroupedListViewItemSwept(GroupedListView&, int, int, SweepDirection, IMView*) {}
void IMController::processFastScrollIndexSelected(Control&, Ixa::Base::String&, IMView*) {}
void IMController::OnTextValueChangeCanceled(const Control&, IMView*) {}
void IMController::OnTextValueChanged(const Control&, IMView*) {}
void IMController::processOtherControlSelected(const Control&, IMView*) {}
void IMController::processOverlayControlCreated(const Control&, IMView*) {}
void IMController::processOverlayControlClosed(const Control&, IMView*) {}
void IMController::processOverlayControlOpened(const Control&, IMView*) {}
void IMController::processListViewContextItemStateChanged(ListView&, int, int, ListContextItemStatus, IMView*) {}
void IMController::processListViewItemStateChanged(ListView&, int, int, ListItemStatus, IMView*) {}
void IMController::processListViewItemSwept(ListView&, int, SweepDirection, IMView*) {}
IMController::ListItemBase* IMController::processCreateItem(int, int, IMView*) { return nullptr; }
bool IMController::processDeleteItem(int, ListItemBase*, int, IMView*) { return false; }
int IMController::processGetItemCount(IMView*) { return 0; }
void IMController::processSearchBarModeChanged(Ixa::Ui::Controls::SearchBar&, Ixa::Ui::Controls::SearchBarMode, IMView*) {}
void IMController::processKeypadWillOpen(Control&, IMView*) {}
void IMController::processKeypadOpened(Control&, IMView*) {}
void IMController::processKeypadClosed(Control&, IMView*) {}
void IMController::processKeypadActionPerformed(Control&, Ixa::Ui::KeypadAction, IMView*) {}
void IMController::processAnimationStopped(const Control&, IMView*) {}
void IMController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) {}
void IMController::processOnLinkClicked(Control&, const Ixa::Base::String&, Ixa::Graphics::LinkType, const Ixa::Base::String&, IMView*) {}
void IMController::ProcessPlayerOpened(Ixa::result, IMView*) {}
void IMController::ProcessPlayerEndOfClip(IMView*) {}
void IMController::ProcessPlayerBuffering(int, IMView*) {}
void IMController::ProcessPlayerErrorOccurred(Ixa::Media::PlayerErrorReason, IMView*) {}
void IMController::ProcessPlayerInterrupted(IMView*) {}
void IMController::ProcessPlayerReleased(IMView*) {}
void IMController::ProcessPlayerSeekCompleted(Ixa::result, IMView*) {}

bool IMController::processActionGeneric(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<IMScreen*>(view);
    if (screen == nullptr) {
        return false;
    }
    switch (actionId) {
    case IMScreen::ACTION_INFO_OK:
        screen->RemovePopup(IMScreen::POPUP_INFO);
        return true;
    case IMScreen::ACTION_QUESTION_YES:
    case IMScreen::ACTION_QUESTION_NO:
        screen->AnswerSubscriptionRequest(actionId == IMScreen::ACTION_QUESTION_YES);
        return true;
    case IMScreen::ACTION_CONNECTION_END_OK:
        screen->RemovePopup(IMScreen::POPUP_CONNECTION_END);
        IMManager::notifyEvent(EVENT_SHOW_LOGIN);
        return true;
    case IMScreen::ACTION_BLOCKED_OK:
    case IMScreen::ACTION_DELETED_OK:
        screen->RemovePopup(actionId == IMScreen::ACTION_BLOCKED_OK ? IMScreen::POPUP_BUDDY_BLOCKED : IMScreen::POPUP_BUDDY_DELETED);
        screen->resetChatInput();
        return true;
    default:
        return false;
    }
}
