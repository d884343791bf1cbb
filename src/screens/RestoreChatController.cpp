#include "screens/RestoreChatController.h"

#include "app/IMManager.h"
#include "screens/ChatBubbleItem.h"
#include "screens/ChatController.h"
#include "screens/RestoreChatScreen.h"
#include "screens/RestoreController.h"
#include "screens/RowParts.h"
#include "screens/ShownTime.h"

#include "store/Contact.h"
#include "store/ContactModel.h"
#include "store/SavedMessagesModel.h"

#include "platform/ArrayList.h"

bool RestoreChatController::openedFromSearch_ = false;

void RestoreChatController::SetOpenedFromSearch(bool fromSearch) { openedFromSearch_ = fromSearch; }

void RestoreChatController::goBack()
{
    RestoreController::isRestoreChatScreen = false;
    IMManager::notifyEvent(openedFromSearch_ ? EVENT_SHOW_CONVERSATIONS : EVENT_SHOW_RESTORE);
    openedFromSearch_ = false;
}

// The received bubbles show the user's picture as the chat does, when the user is a stored contact.
void RestoreChatController::LoadMessages()
{
    messages_.clear();
    const Ixa::Base::String user = RestoreController::UserOf(RestoreController::GetSelectedConversation());
    std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(user));
    avatar_.reset(contact != nullptr ? RowParts::AvatarN(*contact) : nullptr);
    std::unique_ptr<Ixa::Base::Collection::ArrayList> stored(
        IMManager::GetSavedMessagesModel()->GetAllMessagesWithUser(RestoreController::GetSelectedConversation()));
    for (int i = 0; stored != nullptr && i < stored->GetCount(); ++i) {
        messages_.emplace_back(static_cast<Message*>(stored->GetAt(i)));
    }
    if (stored != nullptr) {
        stored->RemoveAll(false);
    }
}

void RestoreChatController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<RestoreChatScreen*>(view);
    SavedMessagesModel* saved = IMManager::GetSavedMessagesModel();
    const Ixa::Base::String& key = RestoreController::GetSelectedConversation();
    if (screen == nullptr) {
        return;
    }
    switch (actionId) {
    case ACTION_PROTECT:
        saved->ProtectConversation(key);
        screen->ShowFooter();
        break;
    case ACTION_UNPROTECT:
        saved->UnProtectConversation(key);
        screen->ShowFooter();
        break;
    case ACTION_DELETE:
        screen->AskToDelete();
        break;
    case ACTION_DELETE_YES:
        saved->DeleteSavedConversation(key);
        screen->CloseDeleteQuestion();
        goBack();
        break;
    case ACTION_DELETE_NO:
        screen->CloseDeleteQuestion();
        break;
    default:
        break;
    }
}

void RestoreChatController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void RestoreChatController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { goBack(); }

void RestoreChatController::processOnLinkClicked(Control&, const Ixa::Base::String&, Ixa::Graphics::LinkType type,
    const Ixa::Base::String& link, IMView*)
{
    ChatController::OpenLink(type, link);
}

int RestoreChatController::processGetItemCount(IMView*) { return static_cast<int>(messages_.size()); }

IMController::ListItemBase* RestoreChatController::processCreateItem(int index, int itemWidth, IMView*)
{
    if (index < 0 || index >= static_cast<int>(messages_.size())) {
        return nullptr;
    }
    const Message& message = *messages_[static_cast<size_t>(index)];
    const int type = message.GetMessageType();
    const bool received = type == Message::TYPE_RECEIVED_READ || type == Message::TYPE_RECEIVED_UNREAD;
    auto* item = new ChatBubbleItem(received ? ChatBubbleItem::RECEIVED : ChatBubbleItem::SENT, message.GetMessage(),
        ShownTime::Time(message.GetTimeStamp()));
    if (Ixa::IsFailed(item->Construct(itemWidth, received ? avatar_.get() : nullptr))) {
        delete item;
        return nullptr;
    }
    return item;
}

bool RestoreChatController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}
