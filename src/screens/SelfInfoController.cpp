#include "screens/SelfInfoController.h"

#include "app/IMManager.h"
#include "engine/PresenceStatus.h"
#include "screens/ProfileChange.h"
#include "screens/SelfInfoView.h"
#include "screens/StatusRows.h"

#include "platform/ListView.h"

int SelfInfoController::isFromBuddyList = SelfInfoController::FROM_BUDDY_LIST;

void SelfInfoController::Open(int origin)
{
    isFromBuddyList = origin;
    IMManager::notifyEvent(EVENT_SHOW_SELF_INFO);
}

void SelfInfoController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<SelfInfoView*>(view);
    if (screen == nullptr) {
        return;
    }
    switch (actionId) {
    case ACTION_SAVE:
        save(screen->GetMessage());
        goBack();
        return;
    case ACTION_CANCEL:
        goBack();
        return;
    case ACTION_KEYPAD_SAVE:
        screen->KeepMessage();
        screen->HideKeypad();
        return;
    case ACTION_KEYPAD_HIDE:
        screen->HideKeypad();
        return;
    default:
        return;
    }
}

void SelfInfoController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void SelfInfoController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { goBack(); }

void SelfInfoController::processListViewItemStateChanged(ListView& list, int index, int, ListItemStatus, IMView*)
{
    if (index == StatusRows::AVAILABLE || index == StatusRows::BUSY) {
        chosenRow_ = index;
    }
    StatusRows::Show(list, chosenRow_);
}

int SelfInfoController::processGetItemCount(IMView*) { return StatusRows::COUNT; }

IMController::ListItemBase* SelfInfoController::processCreateItem(int index, int itemWidth, IMView*)
{
    return StatusRows::MakeRow(index, index == chosenRow_, itemWidth);
}

bool SelfInfoController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

void SelfInfoController::updatePresentStatus() { chosenRow_ = StatusRows::RowOf(IMManager::CopySelfStatus()); }

int SelfInfoController::GetChosenRow() const { return chosenRow_; }

void SelfInfoController::save(const Ixa::Base::String& message)
{
    auto changed = new PresenceStatus(IMManager::CopySelfStatus());
    ProfileChange::SetMessage(*changed, message);
    StatusRows::Apply(chosenRow_, *changed);
    ProfileChange::Send(changed);
}

void SelfInfoController::goBack()
{
    ScreenOrigin::ReturnTo(isFromBuddyList);
}
