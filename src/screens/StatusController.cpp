#include "screens/StatusController.h"

#include "app/IMManager.h"
#include "engine/GtalkRequestController.h"
#include "engine/PresenceStatus.h"
#include "screens/StatusRows.h"

#include "platform/ListView.h"

#include <memory>

void StatusController::processAction(const Control&, int, IMView*) {}

void StatusController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void StatusController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { IMManager::notifyEvent(EVENT_SHOW_SETTINGS); }

void StatusController::processListViewItemStateChanged(ListView& list, int index, int, ListItemStatus, IMView*)
{
    auto status = std::make_unique<PresenceStatus>(IMManager::CopySelfStatus());
    if (StatusRows::Apply(index, *status)) {
        chosenRow_ = index;
        if (GtalkRequestController* requests = IMManager::GetRequestController()) {
            requests->SetClientPresence(status.release());
        }
    }
    StatusRows::Show(list, chosenRow_);
}

int StatusController::processGetItemCount(IMView*) { return StatusRows::COUNT; }

IMController::ListItemBase* StatusController::processCreateItem(int index, int itemWidth, IMView*)
{
    return StatusRows::MakeRow(index, index == chosenRow_, itemWidth);
}

bool StatusController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

void StatusController::ReadSelfStatus() { chosenRow_ = StatusRows::RowOf(IMManager::CopySelfStatus()); }

int StatusController::GetChosenRow() const { return chosenRow_; }
