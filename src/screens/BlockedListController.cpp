#include "screens/BlockedListController.h"

#include "app/IMManager.h"
#include "screens/BlockedListScreen.h"

#include "engine/RequestController.h"
#include "store/ContactModel.h"

void BlockedListController::processAction(const Control&, int actionId, IMView*)
{
    if (actionId == ACTION_UNBLOCK_SCREEN) {
        IMManager::notifyEvent(EVENT_SHOW_BLOCKED_UNBLOCK);
    } else if (actionId == ACTION_DELETE_SCREEN) {
        IMManager::notifyEvent(EVENT_SHOW_BLOCKED_DELETE);
    }
}

void BlockedListController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void BlockedListController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*)
{
    BlockedListEntries::ForgetRequests();
    IMManager::notifyEvent(EVENT_SHOW_SETTINGS);
}

void BlockedListController::processListViewContextItemStateChanged(ListView&, int index, int elementId, ListContextItemStatus, IMView* view)
{
    auto* screen = dynamic_cast<BlockedListScreen*>(view);
    if (screen == nullptr || index < 0 || index >= GetBlockedCount() || (elementId != CONTEXT_UNBLOCK && elementId != CONTEXT_DELETE)) {
        return;
    }
    requestFor(index, elementId);
    blockedContacts_.erase(blockedContacts_.begin() + index);
    screen->RemoveRow(index);
}

void BlockedListController::requestFor(int index, int elementId)
{
    pSelectedContact.reset(IMManager::GetContactModel()->CreateContact(blockedContacts_[static_cast<size_t>(index)].get()));
    selectedContactId_ = pSelectedContact->GetContactId();
    BlockedListEntries::MarkRequested(selectedContactId_);
    RequestController* requests = IMManager::GetRequestController();
    if (requests == nullptr) {
        return;
    }
    if (elementId == CONTEXT_UNBLOCK) {
        requests->RemoveFromIgnoreList(&selectedContactId_);
    } else {
        requests->RemoveContactFromGroup(pSelectedContact.get(), nullptr);
    }
}

int BlockedListController::processGetItemCount(IMView*) { return GetBlockedCount(); }

IMController::ListItemBase* BlockedListController::processCreateItem(int index, int itemWidth, IMView* view)
{
    auto* screen = dynamic_cast<BlockedListScreen*>(view);
    if (screen == nullptr || index < 0 || index >= GetBlockedCount()) {
        return nullptr;
    }
    return BlockedListEntries::MakeRow(
        *blockedContacts_[static_cast<size_t>(index)], itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL, screen->GetRowContext());
}

bool BlockedListController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

void BlockedListController::Reload() { blockedContacts_ = BlockedListEntries::Load(); }
