#include "screens/BlockedListSelectionController.h"

#include "app/IMManager.h"
#include "screens/BlockedListSelectionScreen.h"
#include "screens/QuickTextListController.h"
#include "screens/SelectAllList.h"

#include "engine/RequestController.h"

void BlockedListSelectionController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<BlockedListSelectionScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    if (actionId == ACTION_CARRY_OUT) {
        carryOut(*screen);
    } else if (actionId == ACTION_CANCEL) {
        cancel(*screen);
    }
}

void BlockedListSelectionController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void BlockedListSelectionController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView* view)
{
    if (auto* screen = dynamic_cast<BlockedListSelectionScreen*>(view)) {
        cancel(*screen);
    }
}

void BlockedListSelectionController::processListViewItemStateChanged(ListView& list, int index, int, ListItemStatus status, IMView* view)
{
    SelectAllList::Answer(list, index, status, view);
}

void BlockedListSelectionController::carryOut(BlockedListSelectionScreen& screen)
{
    ListView& list = screen.GetList();
    RequestController* requests = IMManager::GetRequestController();
    for (int row = static_cast<int>(pAllBlockedContactsForDeleteing.size()); row >= 1; --row) {
        if (!list.IsItemChecked(row)) {
            continue;
        }
        Contact& contact = *pAllBlockedContactsForDeleteing[static_cast<size_t>(row - 1)];
        BlockedListEntries::MarkRequested(contact.GetContactId());
        if (requests != nullptr) {
            request(*requests, contact);
        }
        list.RefreshList(row, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_REMOVE);
        pAllBlockedContactsForDeleteing.erase(pAllBlockedContactsForDeleteing.begin() + (row - 1));
    }
    if (pAllBlockedContactsForDeleteing.empty() && list.GetItemCount() == 1) {
        list.RefreshList(0, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_REMOVE);
    }
    IMManager::notifyEvent(EVENT_SHOW_BLOCKED_LIST);
}

void BlockedListSelectionController::cancel(BlockedListSelectionScreen& screen)
{
    SelectAllList::UncheckAll(screen.GetList());
    IMManager::notifyEvent(EVENT_SHOW_BLOCKED_LIST);
}

int BlockedListSelectionController::processGetItemCount(IMView*)
{
    return pAllBlockedContactsForDeleteing.empty() ? 0 : static_cast<int>(pAllBlockedContactsForDeleteing.size()) + 1;
}

IMController::ListItemBase* BlockedListSelectionController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index < 0 || index > static_cast<int>(pAllBlockedContactsForDeleteing.size())) {
        return nullptr;
    }
    if (index == 0) {
        return QuickTextListController::MakeTextRow(
            IMManager::GetStringFromResource("IDS_SELECT_ALL"), itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_MARK);
    }
    return BlockedListEntries::MakeRow(
        *pAllBlockedContactsForDeleteing[static_cast<size_t>(index - 1)], itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_MARK, nullptr);
}

bool BlockedListSelectionController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

void BlockedListSelectionController::Reload() { pAllBlockedContactsForDeleteing = BlockedListEntries::Load(); }
