#include "screens/RestoreChecklistController.h"

#include "app/IMManager.h"
#include "screens/QuickTextListController.h"
#include "screens/RestoreChecklistScreen.h"
#include "screens/RestoreController.h"
#include "screens/SelectAllList.h"

#include "store/SavedMessagesModel.h"

#include "platform/CustomItem.h"
#include "platform/ListView.h"

#include <memory>

namespace {

constexpr int LockSize = 32;
constexpr int LockGap = 16;

}  // namespace

void RestoreChecklistController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<RestoreChecklistScreen*>(view);
    if (screen == nullptr || (actionId != ACTION_DONE && actionId != ACTION_CANCEL)) {
        return;
    }
    ListView& list = screen->GetList();
    if (actionId == ACTION_DONE) {
        carryOut(list);
    }
    SelectAllList::UncheckAll(list);
    list.UpdateList();
    IMManager::notifyEvent(EVENT_SHOW_RESTORE);
}

void RestoreChecklistController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void RestoreChecklistController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { IMManager::notifyEvent(EVENT_SHOW_RESTORE); }

int RestoreChecklistController::processGetItemCount(IMView*)
{
    keys_ = RestoreController::ReadKeys();
    return rowCount();
}

int RestoreChecklistController::rowCount() const { return keys_.empty() ? 0 : static_cast<int>(keys_.size()) + firstKeyRow(); }

Ixa::Base::String RestoreChecklistController::keyOfRow(int row) const
{
    const int at = row - firstKeyRow();
    return at >= 0 && at < static_cast<int>(keys_.size()) ? keys_[static_cast<size_t>(at)] : Ixa::Base::String();
}

IMController::ListItemBase* RestoreChecklistController::processCreateItem(int index, int itemWidth, IMView*)
{
    const Ixa::Base::String key = keyOfRow(index);
    if (key.IsEmpty()) {
        return index == 0 && rowCount() > 0
            ? QuickTextListController::MakeTextRow(IMManager::GetStringFromResource("IDS_SELECT_ALL"), itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_MARK)
            : nullptr;
    }
    Ixa::Ui::Controls::CustomItem* row = RestoreController::MakeRow(key, itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_MARK);
    if (firstKeyRow() > 0 && IMManager::GetSavedMessagesModel()->IsConversationProtectedWithUser(key)) {
        std::unique_ptr<Ixa::Graphics::Bitmap> lock(IMManager::GetBitmapN("65_IM_lock_icon.png"));
        if (lock != nullptr) {
            // On the date's line, which is short, so the address keeps the whole first line.
            const int top = RestoreController::DATE_TOP + (RestoreController::DATE_HEIGHT - LockSize) / 2;
            row->AddElement(Ixa::Graphics::Rectangle(itemWidth - RestoreController::MARK_WIDTH - LockGap - LockSize, top, LockSize, LockSize), ELEMENT_LOCK, *lock);
        }
    }
    return row;
}

bool RestoreChecklistController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

void ProtectRestoreConvController::CheckInitialRows(ListView& list) const
{
    SavedMessagesModel* saved = IMManager::GetSavedMessagesModel();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        list.SetItemChecked(row, saved->IsConversationProtectedWithUser(keyOfRow(row)));
    }
}

void ProtectRestoreConvController::carryOut(ListView& list)
{
    SavedMessagesModel* saved = IMManager::GetSavedMessagesModel();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const Ixa::Base::String key = keyOfRow(row);
        if (list.IsItemChecked(row)) {
            saved->ProtectConversation(key);
        } else {
            saved->UnProtectConversation(key);
        }
    }
}

void DeleteRestoreConvController::processListViewItemStateChanged(ListView& list, int index, int, ListItemStatus status, IMView* view)
{
    SelectAllList::Answer(list, index, status, view);
}

// A protected conversation is never deleted, whatever is checked.
void DeleteRestoreConvController::carryOut(ListView& list)
{
    SavedMessagesModel* saved = IMManager::GetSavedMessagesModel();
    for (int row = 1; row < list.GetItemCount(); ++row) {
        const Ixa::Base::String key = keyOfRow(row);
        if (list.IsItemChecked(row) && !saved->IsConversationProtectedWithUser(key)) {
            saved->DeleteSavedConversation(key);
        }
    }
}
