#include "screens/ChatController.h"

#include "app/IMManager.h"
#include "app/PopupBuilder.h"
#include "emoticons/EmoticonTables.h"
#include "screens/ChatBubbleItem.h"
#include "screens/ChatScreen.h"
#include "screens/SettingsController.h"

#include "store/Contact.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"

#include "foundation/IMSystemTime.h"
#include "platform/AppControl.h"
#include "platform/ArrayList.h"
#include "platform/IconListView.h"
#include "platform/IconListViewItem.h"

#include <initializer_list>

namespace {

using Ixa::Graphics::Rectangle;

constexpr int Margin = PopupBuilder::MARGIN;
constexpr int GridPicture = 80;
constexpr int GridHeight = 3 * (GridPicture + 24);


// "name: " and the sentences that say why the message cannot go.
Ixa::Base::String refusal(const Ixa::Base::String& name, std::initializer_list<const char*> sentences)
{
    Ixa::Base::String text(name);
    text.Append(":");
    for (const char* id : sentences) {
        text.Append(" ");
        text.Append(IMManager::GetStringFromResource(id));
    }
    return text;
}

Ixa::Base::String* prefixed(const char* prefix, const Ixa::Base::String& text)
{
    auto* joined = new Ixa::Base::String(prefix);
    joined->Append(text);
    return joined;
}

}  // namespace

int ChatController::isBuddyList = 0;
int ChatController::currPageNo = 1;
int ChatController::totalPageNo = 1;

ChatController::ChatController() = default;

// The picker's grid hands its icons back to this controller as it goes, so the popups go
// first.
ChatController::~ChatController() { popups_.DeleteAll(); }

ChatScreen* ChatController::screenOf(IMView* view) { return dynamic_cast<ChatScreen*>(view); }

void ChatController::processAction(const Control&, int actionId, IMView* view)
{
    screen_ = screenOf(view);
    if (screen_ == nullptr) {
        return;
    }
    switch (actionId) {
    case ACTION_BACK:
        screen_->SetSelectedContact(nullptr);
        IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS);
        break;
    case ACTION_SETTINGS:
        SettingsController::Open(SettingsController::FROM_CHAT);
        break;
    case ACTION_MORE:
        CreateMorePopupPortrait();
        break;
    case ACTION_SEND:
        SendMessageToServer(view);
        break;
    case ACTION_MORE_QUICK_TEXT:
    case ACTION_MORE_EMOTICONS:
    case ACTION_MORE_CANCEL:
        MorePopupListItemChange(actionId);
        break;
    case ACTION_EMOTICON_INSERT:
        insertSelectedEmoticons();
        break;
    case ACTION_EMOTICON_CANCEL:
        CloseEmoticonPopup();
        break;
    case ACTION_KEYPAD_DONE:
    case ACTION_KEYPAD_CANCEL:
        screen_->GetChatEditField()->RequestRedraw();
        break;
    default:
        break;
    }
}

void ChatController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView* view)
{
    if (ChatScreen* screen = screenOf(view)) {
        screen->Relayout();
    }
}

void ChatController::OnTextValueChanged(const Control&, IMView* view)
{
    if (ChatScreen* screen = screenOf(view)) {
        screen->Relayout();
    }
}

// The keypad types into the input it opened for, whichever control had the keys before.
void ChatController::processKeypadWillOpen(Control& source, IMView*)
{
    overlay_ = true;
    source.SetFocus();
}

// The input bar moves onto the keypad while it is open and back down once it has closed.
void ChatController::processKeypadOpened(Control&, IMView* view) { relayout(view); }

void ChatController::processKeypadClosed(Control&, IMView* view) { relayout(view); }

void ChatController::relayout(IMView* view)
{
    if (ChatScreen* screen = screenOf(view)) {
        screen->Relayout();
    }
}

void ChatController::processOverlayControlOpened(const Control&, IMView*) { overlay_ = true; }

void ChatController::processOverlayControlClosed(const Control&, IMView* view)
{
    overlay_ = false;
    if (ChatScreen* screen = screenOf(view)) {
        screen->Relayout();
    }
}

// Sending: nothing without text or contact; a contact that was deleted or blocked gets its
// popup and the text stays; otherwise one copy goes to the server and the other is stored
// and shown as "sending" until the server's answer updates it.
void ChatController::SendMessageToServer(IMView* view)
{
    ChatScreen* screen = screenOf(view);
    if (screen == nullptr || screen->GetEditFieldText().IsEmpty() || screen->GetSelectedContact() == nullptr) {
        return;
    }
    if (refuseSending(*screen, *screen->GetSelectedContact())) {
        return;
    }
    IMDateTime now;
    IMSystemTime::GetCurrentTime(Ixa::System::UTC_TIME, now);
    MessageModel* store = IMManager::GetMessageModel();
    Message* shown = store->CreateMessage();
    shown->SetMessage(screen->GetEditFieldText());
    shown->SetMessageType(Message::TYPE_SENDING);
    shown->SetOfflineMessage(false);
    shown->SetOtherUserId(screen->GetSelectedContact()->GetContactId());
    shown->SetTimeStamp(now);
    Message* sent = CopyOf(*shown);
    store->SaveOrUpdate(shown);
    AddMessageToArrayList(shown);
    if (RequestController* requests = IMManager::GetRequestController()) {
        requests->SendMessage(sent);
    } else {
        delete sent;
    }
    screen->DisplaySendMessage();
}

// A contact off the buddy list (someone written to by address) may be one that was never
// stored; a buddy that is no longer stored, or is marked for deletion, has been deleted.
bool ChatController::refuseSending(ChatScreen& screen, const Contact& contact)
{
    std::unique_ptr<Contact> stored(IMManager::GetContactModel()->GetContactById(contact.GetContactId()));
    const bool deleted = stored != nullptr ? stored->GetIsDeleted() : contact.GetOnBuddyList();
    if (deleted) {
        screen.InitializeAndShowPopup(IMScreen::POPUP_BUDDY_DELETED,
            refusal(contact.GetContactId(), {"IDS_BUDDY_IS_DELETED", "IDS_DELETED_CANNOT_CHAT"}));
        return true;
    }
    if (stored != nullptr && stored->GetIsBlocked()) {
        screen.InitializeAndShowPopup(IMScreen::POPUP_BUDDY_BLOCKED,
            refusal(stored->GetUserName(), {"IDS_BUDDY_IS_BLOCKED", "IDS_BLOCKED_CANNOT_CHAT", "IDS_CONTACT_IS_BLOCKED"}));
        return true;
    }
    return false;
}

Message* ChatController::CopyOf(const Message& source)
{
    Message* copy = IMManager::GetMessageModel()->CreateMessage();
    copy->SetOtherUserId(source.GetOtherUserId());
    copy->SetMessageType(source.GetMessageType());
    copy->SetMessage(source.GetMessage());
    copy->SetProtocolId(source.GetProtocolId());
    copy->SetTimeStamp(source.GetTimeStamp());
    copy->SetOfflineMessage(source.IsOfflineMessage());
    copy->SetMessageId(source.GetMessageId());
    return copy;
}

void ChatController::AddMessageToArrayList(Message* message) { messages_.emplace_back(message); }

void ChatController::ClearMessageArrayList()
{
    messages_.clear();
}

int ChatController::GetMessageIndexFromArrayList(const Message* message) const
{
    for (size_t row = 0; message != nullptr && row < messages_.size(); ++row) {
        if (messages_[row]->GetMessageType() != NOTICE && messages_[row]->GetMessageId() == message->GetMessageId()) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

bool ChatController::TakeLoadedUnread(const Message& message)
{
    for (auto read = readByLoading_.begin(); read != readByLoading_.end(); ++read) {
        if (read->first == message.GetMessage() && read->second == message.GetTimeStamp()) {
            readByLoading_.erase(read);
            return true;
        }
    }
    return false;
}

void ChatController::ForgetLoadedUnread() { readByLoading_.clear(); }

Message* ChatController::GetMessageAt(int index) const
{
    return index >= 0 && index < GetMessageCount() ? messages_[static_cast<size_t>(index)].get() : nullptr;
}

int ChatController::UpdateMessageState(const Message& message)
{
    const int row = GetMessageIndexFromArrayList(&message);
    if (row >= 0) {
        messages_[static_cast<size_t>(row)]->SetMessageType(message.GetMessageType());
    }
    return row;
}

// The conversation is read from the store when the list first asks for it (which marks it
// read); an offline contact gets the went-offline notice after the history.
void ChatController::loadConversation(ChatScreen& screen)
{
    Contact* contact = screen.GetSelectedContact();
    if (contact == nullptr) {
        return;
    }
    std::unique_ptr<Ixa::Base::Collection::ArrayList> stored(IMManager::GetMessageModel()->GetAllMessagesWithUser(contact->GetContactId(), false));
    for (int i = 0; stored != nullptr && i < stored->GetCount(); ++i) {
        auto* message = static_cast<Message*>(stored->GetAt(i));
        if (message->GetMessageType() == Message::TYPE_RECEIVED_UNREAD) {
            readByLoading_.emplace_back(message->GetMessage(), message->GetTimeStamp());
        }
        messages_.emplace_back(message);
    }
    if (stored != nullptr) {
        stored->RemoveAll(false);
    }
    if (contact->GetPresenceType() == Contact::PRESENCE_OFFLINE) {
        Message* notice = IMManager::GetMessageModel()->CreateMessage();
        notice->SetMessage(IMManager::GetFormatString(IMManager::GetStringFromResource("IDS_BUDDY_WENT_OFFLINE"), screen.GetNoticeName()));
        notice->SetMessageType(NOTICE);
        messages_.emplace_back(notice);
    }
}

int ChatController::processGetItemCount(IMView* view)
{
    ChatScreen* screen = screenOf(view);
    if (messages_.empty() && screen != nullptr) {
        loadConversation(*screen);
    }
    return GetMessageCount();
}

IMController::ListItemBase* ChatController::processCreateItem(int index, int itemWidth, IMView* view)
{
    ChatScreen* screen = screenOf(view);
    const Message* message = GetMessageAt(index);
    return screen != nullptr && message != nullptr ? screen->LayoutChatListViewItem(*message, itemWidth) : nullptr;
}

bool ChatController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

void ChatController::processListViewItemStateChanged(ListView&, int index, int elementId, ListItemStatus, IMView* view)
{
    ChatScreen* screen = screenOf(view);
    if (screen == nullptr || elementId != ChatBubbleItem::ELEMENT_RESEND) {
        return;
    }
    const Message* message = GetMessageAt(index);
    if (message != nullptr && message->GetMessageType() == Message::TYPE_SEND_FAILED) {
        screen->DisplayReSendMessage(index);
        ResendMessage(index);
        screen->DisplaySendMessage();
    }
}

int ChatController::ResendMessage(int row)
{
    Message* failed = GetMessageAt(row);
    if (failed == nullptr) {
        return -1;
    }
    IMDateTime now;
    IMSystemTime::GetCurrentTime(Ixa::System::UTC_TIME, now);
    std::unique_ptr<Message> moved = std::move(messages_[static_cast<size_t>(row)]);
    messages_.erase(messages_.begin() + row);
    moved->SetMessageType(Message::TYPE_SENDING);
    moved->SetTimeStamp(now);
    IMManager::GetMessageModel()->updateByMessageId(moved.get());
    Message* again = CopyOf(*moved);
    messages_.push_back(std::move(moved));
    if (RequestController* requests = IMManager::GetRequestController()) {
        requests->SendMessage(again);
    } else {
        delete again;
    }
    return GetMessageCount() - 1;
}

void ChatController::processOnLinkClicked(Control&, const Ixa::Base::String&, Ixa::Graphics::LinkType type,
    const Ixa::Base::String& link, IMView*)
{
    OpenLink(type, link);
}

void ChatController::OpenLink(Ixa::Graphics::LinkType type, const Ixa::Base::String& link)
{
    Ixa::Base::Collection::ArrayList arguments;
    arguments.Construct(10);
    if (type == Ixa::Graphics::LINK_TYPE_URL) {
        arguments.Add(prefixed("url:", link));
        Ixa::App::AppControl("ixa.appcontrol.BROWSER", "ixa.appcontrol.operation.DEFAULT").Start(&arguments);
    } else if (type == Ixa::Graphics::LINK_TYPE_EMAIL) {
        arguments.Add(new Ixa::Base::String(link));
        Ixa::App::AppControl("ixa.appcontrol.provider.email", "ixa.appcontrol.operation.compose").Start(&arguments);
    } else if (type == Ixa::Graphics::LINK_TYPE_TEL) {
        arguments.Add(prefixed("tel:", link));
        arguments.Add(new Ixa::Base::String("type:voice"));
        Ixa::App::AppControl("ixa.appcontrol.provider.call", "ixa.appcontrol.operation.DEFAULT").Start(&arguments);
    }
    arguments.RemoveAll(true);
}

// A titled popup whose contents start at the top of its client area; null without a frame.
std::unique_ptr<Ixa::Ui::Controls::Popup> ChatController::titledPopup(const char* titleId, int height)
{
    auto popup = std::make_unique<Ixa::Ui::Controls::Popup>();
    if (Ixa::IsFailed(popup->Construct(true, Ixa::Graphics::Dimension(PopupBuilder::WIDTH, height)))) {
        return nullptr;
    }
    popup->SetTitleText(IMManager::GetStringFromResource(titleId));
    return popup;
}

void ChatController::CreateMorePopupPortrait()
{
    popups_.Show(POPUP_MORE, PopupBuilder::Menu("IDS_OPTIONS",
        {{"IDS_QUICK_TEXT", ACTION_MORE_QUICK_TEXT}, {"IDS_EMOTICONS", ACTION_MORE_EMOTICONS}, {"IDS_CANCEL", ACTION_MORE_CANCEL}},
        *screen_));
}

void ChatController::CloseMorePopup() { popups_.Close(POPUP_MORE); }

void ChatController::MorePopupListItemChange(int actionId)
{
    CloseMorePopup();
    if (actionId == ACTION_MORE_QUICK_TEXT) {
        quickTextMode_ = true;
        IMManager::notifyEvent(EVENT_SHOW_QUICK_TEXT_LIST);
    } else if (actionId == ACTION_MORE_EMOTICONS) {
        emoticonMode_ = true;
        CreateGTalkMappingEmoticons();
        CreateEmotIconListPortrait();
    }
}

void ChatController::CreateGTalkMappingEmoticons()
{
    if (!emoticonMap_.empty()) {
        return;
    }
    for (const EmoticonRow& row : pickerEmoticonTable) {
        EmotIconImage image;
        emoticonBitmaps_.emplace_back(IMManager::GetBitmapN(PickerGridPicture(row.picture)));
        image.setEmotIconIconList(emoticonBitmaps_.back().get());
        emoticonBitmaps_.emplace_back(IMManager::GetBitmapN(PickerPanelPicture(row.picture)));
        image.setEmotIconPanel(emoticonBitmaps_.back().get());
        emoticonMap_.emplace_back(row.code, image);
    }
}

void ChatController::CreateEmotIconListPortrait()
{
    selectedEmoticons_.clear();
    const int height = Margin + GridHeight + Margin + PopupBuilder::BUTTON_HEIGHT + Margin + 2 * Ixa::Ui::Controls::Popup::BORDER + 64;
    std::unique_ptr<Ixa::Ui::Controls::Popup> popup = titledPopup("IDS_EMOTICONS", height);
    if (popup == nullptr) {
        return;
    }
    auto* grid = new Ixa::Ui::Controls::IconListView;
    grid->Construct(Rectangle(Margin, Margin, popup->GetClientAreaBounds().width - 2 * Margin, GridHeight),
        Ixa::Graphics::Dimension(GridPicture, GridPicture));
    grid->SetItemProvider(*this);
    grid->AddIconListViewItemEventListener(*this);
    popup->AddControl(*grid);
    PopupBuilder::AddButtonRow(*popup, 2 * Margin + GridHeight,
        {{"IDS_INSERT", ACTION_EMOTICON_INSERT}, {"IDS_OVERLAY_CANCEL", ACTION_EMOTICON_CANCEL}}, *screen_);
    popups_.Show(POPUP_EMOTICONS, std::move(popup));
}

void ChatController::CloseEmoticonPopup()
{
    currPageNo = 1;
    totalPageNo = 1;
    emoticonMode_ = false;
    popups_.Close(POPUP_EMOTICONS);
}

void ChatController::insertSelectedEmoticons()
{
    for (const Ixa::Base::String& code : selectedEmoticons_) {
        screen_->AppendToEditField(code);
    }
    selectedEmoticons_.clear();
    screen_->UpdateSendButton();
    CloseEmoticonPopup();
}

void ChatController::DecreaseCountEmotIconSelected()
{
    if (!selectedEmoticons_.empty()) {
        selectedEmoticons_.pop_back();
    }
}

int ChatController::GetItemCount() { return static_cast<int>(emoticonMap_.size()); }

Ixa::Ui::Controls::IconListViewItem* ChatController::CreateItem(int index)
{
    if (index < 0 || index >= GetItemCount() || emoticonMap_[static_cast<size_t>(index)].second.getEmotIconIconList() == nullptr) {
        return nullptr;
    }
    auto* item = new Ixa::Ui::Controls::IconListViewItem;
    item->Construct(*emoticonMap_[static_cast<size_t>(index)].second.getEmotIconIconList());
    return item;
}

bool ChatController::DeleteItem(int, Ixa::Ui::Controls::IconListViewItem* item)
{
    delete item;
    return true;
}

void ChatController::OnIconListViewItemStateChanged(Ixa::Ui::Controls::IconListView&, int index, Ixa::Ui::Controls::IconListViewItemStatus)
{
    if (index >= 0 && index < GetItemCount()) {
        selectedEmoticons_.push_back(emoticonMap_[static_cast<size_t>(index)].first);
    }
}
