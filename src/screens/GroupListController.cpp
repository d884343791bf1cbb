#include "screens/GroupListController.h"

#include "app/IMManager.h"
#include "screens/QuickTextListController.h"

#include "store/GroupModel.h"

#include <memory>

void GroupListController::processAction(const Control&, int actionId, IMView*)
{
    if (actionId == ACTION_BACK || actionId == ACTION_BACK_LANDSCAPE) {
        returnToAddContact(IMString());
    }
}

void GroupListController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void GroupListController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { returnToAddContact(IMString()); }

void GroupListController::processListViewItemStateChanged(ListView&, int index, int, ListItemStatus, IMView*)
{
    if (index == 0) {
        IMManager::notifyEvent(EVENT_SHOW_GROUP);
    } else if (index > 0 && index <= static_cast<int>(groupNames_.size())) {
        returnToAddContact(groupNames_[static_cast<size_t>(index - 1)]);
    }
}

int GroupListController::processGetItemCount(IMView*)
{
    groupNames_.clear();
    std::unique_ptr<Ixa::Base::Collection::ArrayList> groups(IMManager::GetGroupModel()->GetAllSortedGroups());
    for (int i = 0; groups != nullptr && i < groups->GetCount(); ++i) {
        groupNames_.push_back(static_cast<Group*>(groups->GetAt(i))->GetGroupName());
    }
    if (groups != nullptr) {
        groups->RemoveAll(true);
    }
    return static_cast<int>(groupNames_.size()) + 1;
}

IMController::ListItemBase* GroupListController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index < 0 || index > static_cast<int>(groupNames_.size())) {
        return nullptr;
    }
    const IMString text = index == 0 ? IMString(IMManager::GetStringFromResource("IDS_CREATE_GROUP"))
                                     : groupNames_[static_cast<size_t>(index - 1)];
    return QuickTextListController::MakeTextRow(text, itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL);
}

bool GroupListController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

void GroupListController::returnToAddContact(const IMString& group)
{
    handedGroup_ = group;
    IMManager::notifyEvent(EVENT_SHOW_ADD_CONTACT, static_cast<void*>(&handedGroup_));
}
