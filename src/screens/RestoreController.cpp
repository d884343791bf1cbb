#include "screens/RestoreController.h"

#include "app/IMManager.h"
#include "screens/ConversationsController.h"
#include "screens/RestoreChatController.h"
#include "screens/RowParts.h"
#include "screens/StringList.h"
#include "screens/ShownTime.h"

#include "store/Contact.h"
#include "store/ContactModel.h"
#include "store/Message.h"
#include "store/SavedMessagesModel.h"

#include "platform/ArrayList.h"
#include "platform/CustomItem.h"

#include <memory>

bool RestoreController::isRestoreChatScreen = false;
Ixa::Base::String RestoreController::selected_;

namespace {

constexpr int Inset = 20;

}  // namespace

std::vector<Ixa::Base::String> RestoreController::ReadKeys()
{
    return StringList::Take(IMManager::GetSavedMessagesModel()->GetAllUserIds());
}

Ixa::Base::String RestoreController::UserOf(const Ixa::Base::String& key)
{
    std::unique_ptr<Ixa::Base::String> user(IMManager::GetSavedMessagesModel()->GetUserIdFromTimeStampId(key));
    return user != nullptr && !user->IsEmpty() ? *user : key;
}

Ixa::Base::String RestoreController::NameOf(const Ixa::Base::String& key)
{
    const Ixa::Base::String user = UserOf(key);
    std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(user));
    return ConversationsController::ShownName(contact.get(), user);
}

Ixa::Base::String RestoreController::DateOf(const Ixa::Base::String& key)
{
    std::unique_ptr<Message> last(IMManager::GetSavedMessagesModel()->GetLastMessageWithUserTimestamp(key));
    return last != nullptr ? ShownTime::DateAndTime(last->GetTimeStamp()) : Ixa::Base::String();
}

void RestoreController::SetSelectedConversation(const Ixa::Base::String& key) { selected_ = key; }

const Ixa::Base::String& RestoreController::GetSelectedConversation() { return selected_; }

void RestoreController::processAction(const Control&, int actionId, IMView*)
{
    if (actionId == ACTION_PROTECT) {
        IMManager::notifyEvent(EVENT_SHOW_PROTECT_RESTORE);
    } else if (actionId == ACTION_DELETE) {
        IMManager::notifyEvent(EVENT_SHOW_DELETE_RESTORE);
    }
}

void RestoreController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void RestoreController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { IMManager::notifyEvent(EVENT_SHOW_SETTINGS); }

void RestoreController::processListViewItemStateChanged(ListView&, int index, int, ListItemStatus, IMView*)
{
    if (index < 0 || index >= static_cast<int>(keys_.size())) {
        return;
    }
    SetSelectedConversation(keys_[static_cast<size_t>(index)]);
    isRestoreChatScreen = true;
    RestoreChatController::SetOpenedFromSearch(false);
    IMManager::notifyEvent(EVENT_SHOW_RESTORE_CHAT);
}

int RestoreController::processGetItemCount(IMView*)
{
    keys_ = ReadKeys();
    return static_cast<int>(keys_.size());
}

IMController::ListItemBase* RestoreController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index < 0 || index >= static_cast<int>(keys_.size())) {
        return nullptr;
    }
    return MakeRow(keys_[static_cast<size_t>(index)], itemWidth, Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL);
}

// A key without messages gives a row without contents.
Ixa::Ui::Controls::CustomItem* RestoreController::MakeRow(const Ixa::Base::String& key, int width, Ixa::Ui::Controls::ListAnnexStyle annex)
{
    auto item = std::make_unique<Ixa::Ui::Controls::CustomItem>();
    item->Construct(Ixa::Graphics::Dimension(width, ROW_HEIGHT), annex);
    const Ixa::Base::String date = DateOf(key);
    if (!date.IsEmpty()) {
        const int textWidth = width - 2 * Inset - (annex == Ixa::Ui::Controls::LIST_ANNEX_STYLE_NORMAL ? 0 : MARK_WIDTH);
        RowParts::AddText(*item, Ixa::Graphics::Rectangle(Inset, 8, textWidth, 48), ELEMENT_USER, NameOf(key), 32, RowParts::White);
        RowParts::AddText(*item, Ixa::Graphics::Rectangle(Inset, DATE_TOP, textWidth, DATE_HEIGHT), ELEMENT_DATE, date, 24, RowParts::Secondary);
    }
    return item.release();
}

bool RestoreController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}
