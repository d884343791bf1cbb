#include "screens/DeleteConvController.h"

#include "app/IMManager.h"
#include "screens/ConversationsController.h"
#include "screens/DeleteConvScreen.h"
#include "screens/QuickTextListController.h"
#include "screens/SelectAllList.h"

#include "store/Contact.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"

#include "platform/ListView.h"

#include <memory>

void DeleteConvController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<DeleteConvScreen*>(view);
    if (screen == nullptr || (actionId != ACTION_DELETE && actionId != ACTION_CANCEL)) {
        return;
    }
    if (actionId == ACTION_DELETE) {
        deleteChecked(*screen->GetList());
    }
    SelectAllList::UncheckAll(*screen->GetList());
    screen->GetList()->UpdateList();
    IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS);
}

void DeleteConvController::deleteChecked(ListView& list)
{
    MessageModel* messages = IMManager::GetMessageModel();
    for (int row = 1; row < list.GetItemCount() && row <= GetDeleteConversationsCount(); ++row) {
        if (list.IsItemChecked(row)) {
            messages->DeleteChatsWithUser(userIds_[static_cast<size_t>(row - 1)]);
        }
    }
}

void DeleteConvController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void DeleteConvController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS); }

void DeleteConvController::processListViewItemStateChanged(ListView& list, int index, int, ListItemStatus status, IMView* view)
{
    SelectAllList::Answer(list, index, status, view);
}

int DeleteConvController::processGetItemCount(IMView*)
{
    userIds_ = ConversationsController::ReadUserIds();
    return userIds_.empty() ? 0 : GetDeleteConversationsCount() + 1;
}

IMController::ListItemBase* DeleteConvController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index < 0 || index > GetDeleteConversationsCount()) {
        return nullptr;
    }
    Ixa::Base::String text = IMManager::GetStringFromResource("IDS_SELECT_ALL");
    if (index > 0) {
        const Ixa::Base::String& user = userIds_[static_cast<size_t>(index - 1)];
        std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(user));
        text = ConversationsController::ShownName(contact.get(), user);
    }
    return QuickTextListController::MakeTextRow(text, itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_MARK);
}

bool DeleteConvController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

int DeleteConvController::GetDeleteConversationsCount() const { return static_cast<int>(userIds_.size()); }
