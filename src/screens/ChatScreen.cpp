#include "screens/ChatScreen.h"

#include "app/IMManager.h"
#include "app/ModelNotification.h"
#include "engine/UserId.h"
#include "screens/ChatBubbleItem.h"
#include "screens/MessageToShow.h"
#include "screens/QuickTextListController.h"
#include "screens/ShownTime.h"
#include "screens/StartupChat.h"

#include "store/ContactIcon.h"
#include "store/ContactIconModel.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"

#include "platform/ButtonItem.h"
#include "platform/Header.h"

#include <algorithm>

namespace {

using Ixa::Graphics::Rectangle;

constexpr int Margin = 8;
constexpr int ButtonSize = 64;
constexpr int InputLines = 4;
constexpr int InputTextSize = 28;
constexpr int InputHeight = 56;
constexpr int PortraitLineLimit = 9;

ChatBubbleItem::Kind KindOf(int type)
{
    switch (type) {
    case Message::TYPE_SENDING:
        return ChatBubbleItem::SENDING;
    case Message::TYPE_SENT:
        return ChatBubbleItem::SENT;
    case Message::TYPE_SEND_FAILED:
        return ChatBubbleItem::FAILED;
    case ChatController::NOTICE:
        return ChatBubbleItem::NOTICE;
    default:
        return ChatBubbleItem::RECEIVED;
    }
}

}  // namespace

ChatScreen::ChatScreen() = default;

// The list hands its rows back to this screen as it goes, so the controls go while the
// screen is still whole.
ChatScreen::~ChatScreen() { RemoveAllControls(); }

bool ChatScreen::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (Ixa::IsFailed(Construct(FORM_STYLE_HEADER))) {
        return false;
    }
    SetName("CHAT_SCREEN");
    std::unique_ptr<Ixa::Graphics::Bitmap> background(IMManager::GetBitmapN("02_message_bg_01.png"));
    SetBackgroundBitmap(background.get());
    addHeaderButton(BUTTON_POSITION_LEFT, "touchkey_back.png", ChatController::ACTION_BACK);
    addHeaderButton(BUTTON_POSITION_RIGHT, "touchkey_settings.png", ChatController::ACTION_SETTINGS);
    GetHeader()->AddActionEventListener(*this);

    addConversationList();
    addInputBar();
    Relayout();
    open();
    return true;
}

void ChatScreen::addConversationList()
{
    using namespace Ixa::Ui::Controls;
    const Rectangle client = GetClientAreaBounds();
    list_ = new ListView;
    list_->Construct(Rectangle(0, 0, client.width, client.height - InputHeight - 2 * Margin), false);
    list_->SetItemProvider(*this);
    list_->AddListViewItemEventListener(*this);
    list_->AddUiLinkEventListener(*this);
    AddControl(*list_);
}

// The input bar: "more" at the left, the growing input, and send at the right, which the
// keypad repeats as its command button.
void ChatScreen::addInputBar()
{
    using namespace Ixa::Ui::Controls;
    editArea_ = new EditArea;
    editArea_->Construct(Rectangle(0, 0, GetClientAreaBounds().width - 2 * ButtonSize - 4 * Margin, InputHeight), INPUT_STYLE_OVERLAY, InputLines);
    editArea_->SetTextSize(InputTextSize);
    editArea_->SetOverlayKeypadCommandButton(Ixa::Ui::COMMAND_BUTTON_POSITION_LEFT, IMManager::GetStringFromResource("IDS_SEND"), ChatController::ACTION_SEND);
    editArea_->SetOverlayKeypadCommandButton(Ixa::Ui::COMMAND_BUTTON_POSITION_RIGHT, IMManager::GetStringFromResource("IDS_CANCEL"), ChatController::ACTION_KEYPAD_CANCEL);
    editArea_->AddTextEventListener(*this);
    editArea_->AddKeypadEventListener(*this);
    editArea_->AddActionEventListener(*this);
    AddControl(*editArea_);
    moreButton_ = addInputButton("02_message_input_more_btn.png", "02_message_input_more_btn_press.png", ChatController::ACTION_MORE);
    sendEmpty_.reset(IMManager::GetBitmapN("02_message_input_btn_send.png"));
    sendReady_.reset(IMManager::GetBitmapN("02_message_input_btn_sent.png"));
    sendButton_ = addInputButton(nullptr, nullptr, ChatController::ACTION_SEND);
}

void ChatScreen::addHeaderButton(Ixa::Ui::Controls::ButtonPosition position, const char* picture, int actionId)
{
    Ixa::Ui::Controls::ButtonItem button;
    button.Construct(Ixa::Ui::Controls::BUTTON_ITEM_STYLE_ICON, actionId);
    std::unique_ptr<Ixa::Graphics::Bitmap> icon(IMManager::GetBitmapN(picture));
    button.SetIcon(Ixa::Ui::Controls::BUTTON_ITEM_STATUS_NORMAL, icon.get());
    GetHeader()->SetButton(position, button);
}

Ixa::Ui::Controls::Button* ChatScreen::addInputButton(const char* picture, const char* pressed, int actionId)
{
    auto* button = new Ixa::Ui::Controls::Button;
    button->Construct(Rectangle(0, 0, ButtonSize, ButtonSize));
    if (picture != nullptr) {
        std::unique_ptr<Ixa::Graphics::Bitmap> normal(IMManager::GetBitmapN(picture));
        std::unique_ptr<Ixa::Graphics::Bitmap> down(IMManager::GetBitmapN(pressed));
        button->SetNormalBackgroundBitmap(normal.get());
        button->SetPressedBackgroundBitmap(down.get());
    }
    button->SetActionId(actionId);
    button->AddActionEventListener(*this);
    AddControl(*button);
    return button;
}

// While the keypad is open the input bar sits on top of it, so what is typed stays in view.
void ChatScreen::Relayout()
{
    const Rectangle client = GetClientAreaBounds();
    Rectangle keypad;
    const int bottom = Ixa::IsSucceeded(editArea_->GetKeypadBounds(keypad)) ? std::min(client.height, keypad.y) : client.height;
    const int inputHeight = std::max(InputHeight, editArea_->GetHeight());
    const int barHeight = inputHeight + 2 * Margin;
    const int barTop = bottom - barHeight;
    list_->SetBounds(0, 0, client.width, std::max(0, barTop));
    moreButton_->SetBounds(Margin, bottom - Margin - ButtonSize, ButtonSize, ButtonSize);
    editArea_->SetBounds(2 * Margin + ButtonSize, barTop + Margin, client.width - 2 * ButtonSize - 4 * Margin, inputHeight);
    sendButton_->SetBounds(client.width - Margin - ButtonSize, bottom - Margin - ButtonSize, ButtonSize, ButtonSize);
    UpdateSendButton();
}

void ChatScreen::updateScreen()
{
    CleanActivePopups();
    open();
}

// Step by step as the screen is shown: popups and the cached avatar go, the title names the
// contact, and either the quick text just picked joins the input or a fresh conversation is
// loaded.
void ChatScreen::open()
{
    controller_.CloseMorePopup();
    controller_.CloseEmoticonPopup();
    avatar_.reset();
    showTitle();
    controller_.SetOverlayOn(false);
    if (controller_.IsQuickTextModeOn()) {
        takeQuickText();
        return;
    }
    ClearEditField();
    ReloadList();
}

void ChatScreen::showTitle()
{
    if (contact_ == nullptr) {
        GetHeader()->SetTitleText(IMManager::GetStringFromResource("IDS_SEND_IM_TO"));
        return;
    }
    const bool hasNick = !contact_->GetNickName().IsEmpty();
    GetHeader()->SetTitleText(hasNick ? contact_->GetNickName() : contact_->GetContactId());
}

void ChatScreen::takeQuickText()
{
    if (!QuickTextListController::quickText.IsEmpty()) {
        AppendToEditField(QuickTextListController::quickText);
        QuickTextListController::quickText = Ixa::Base::String();
    }
    UpdateSendButton();
    controller_.SetQuickTextModeOn(false);
    const bool unread = contact_ != nullptr && IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(contact_->GetContactId()) > 0;
    if (controller_.GetMessageCount() > 0 || unread) {
        ReloadList();
    }
}

IMController* ChatScreen::getController() { return &controller_; }

IMModel* ChatScreen::getModel() { return IMManager::GetMessageModel(); }

bool ChatScreen::handleEvent(EVENT_T) { return false; }

void ChatScreen::setModelDependency()
{
    cleanModelList();
    thisViewDependsOnModel(IMManager::GetContactModel());
    thisViewDependsOnModel(IMManager::GetMessageModel());
    thisViewDependsOnModel(IMManager::GetContactIconModel());
}

// The quick-text list gives the chat back without a contact. Any way in with a contact (a
// tapped notification, the buddy list after a lost connection or a sign-out) ends quick-text
// mode, so a draft kept for one contact never goes to another.
void ChatScreen::onStateTransition(EVENT_T event, void* data)
{
    if (data != nullptr) {
        controller_.SetQuickTextModeOn(false);
        controller_.ForgetLoadedUnread();
        QuickTextListController::quickText = Ixa::Base::String();
        SetSelectedContact(static_cast<const Contact*>(data));
    }
    showing_ = true;
    IMScreen::onStateTransition(event, data);
    sendStartupText();
}

void ChatScreen::sendStartupText()
{
    if (contact_ == nullptr || editArea_ == nullptr) {
        return;
    }
    const IMString text = StartupChat::TakeTextFor(contact_->GetContactId());
    if (!text.IsEmpty()) {
        editArea_->SetText(text);
        controller_.SendMessageToServer(this);
    }
}

// Updates already on their way still arrive; showing_ keeps them from reading a conversation
// the user has left.
void ChatScreen::willLossFocus()
{
    showing_ = false;
    unsubscribeToModels();
}

void ChatScreen::onForeground()
{
    IMScreen::onForeground();
    if (avatarRefreshPending_) {
        avatarRefreshPending_ = false;
        avatar_.reset();
        ReloadList();
    }
}

// A conversation has one id, the bare address in lower case: a chat opened with a short
// name or another spelling sends, stores and listens under that id all the same.
void ChatScreen::SetSelectedContact(const Contact* contact)
{
    contact_.reset(contact != nullptr ? IMManager::GetContactModel()->CreateContact(const_cast<Contact*>(contact)) : nullptr);
    if (contact_ != nullptr) {
        IMString id(contact_->GetContactId());
        UserId::complete(&id);
        contact_->SetContactId(UserId::bareLowerCase(id));
    }
}

Ixa::Base::String ChatScreen::GetEditFieldText() const { return editArea_ != nullptr ? editArea_->GetText() : Ixa::Base::String(); }

void ChatScreen::AppendToEditField(const Ixa::Base::String& text)
{
    editArea_->AppendText(text);
    Relayout();
}

void ChatScreen::ClearEditField()
{
    editArea_->Clear();
    Relayout();
}

void ChatScreen::resetChatInput()
{
    ClearEditField();
    sendButton_->Draw();
}

void ChatScreen::UpdateSendButton()
{
    const Ixa::Graphics::Bitmap* picture = GetEditFieldText().IsEmpty() ? sendEmpty_.get() : sendReady_.get();
    sendButton_->SetNormalBackgroundBitmap(picture);
    sendButton_->SetPressedBackgroundBitmap(sendReady_.get());
    sendButton_->RequestRedraw();
}

void ChatScreen::ReloadList()
{
    controller_.ClearMessageArrayList();
    list_->UpdateList();
    const int row = MessageToShow::TakeRow(controller_.GetMessages());
    if (row >= 0 && row < list_->GetItemCount()) {
        list_->ScrollToItem(row);
    }
    RequestRedraw();
}

void ChatScreen::DisplaySendMessage()
{
    const bool portrait = GetOrientationStatus() == Ixa::Ui::ORIENTATION_STATUS_PORTRAIT;
    if (portrait && editArea_->GetTextLineCount() > PortraitLineLimit) {
        list_->UpdateList();
    } else {
        list_->RefreshList(controller_.GetMessageCount() - 1, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_ADD);
    }
    list_->ScrollToItem(controller_.GetMessageCount() - 1);
    ClearEditField();
    RequestRedraw();
}

void ChatScreen::DisplaySentOrFailedMessage(int row)
{
    list_->RefreshList(row, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_MODIFY);
    RequestRedraw();
}

void ChatScreen::DisplayReSendMessage(int row) { list_->RefreshList(row, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_REMOVE); }

void ChatScreen::DisplayReceievedChatMessage()
{
    list_->RefreshList(controller_.GetMessageCount() - 1, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_ADD);
    list_->ScrollToItem(controller_.GetMessageCount() - 1);
    RequestRedraw();
}

void ChatScreen::CreateOfflineMessage(const Ixa::Base::String& text)
{
    Message* notice = IMManager::GetMessageModel()->CreateMessage();
    notice->SetMessage(text);
    notice->SetMessageType(ChatController::NOTICE);
    notice->SetOtherUserId(contact_->GetContactId());
    controller_.AddMessageToArrayList(notice);
    DisplayReceievedChatMessage();
}

Ixa::Ui::Controls::ListItemBase* ChatScreen::LayoutChatListViewItem(const Message& message, int width)
{
    const ChatBubbleItem::Kind kind = KindOf(message.GetMessageType());
    const Ixa::Base::String time = kind == ChatBubbleItem::NOTICE ? Ixa::Base::String() : ShownTime::Time(message.GetTimeStamp());
    auto* item = new ChatBubbleItem(kind, message.GetMessage(), time);
    if (Ixa::IsFailed(item->Construct(width, kind == ChatBubbleItem::RECEIVED ? avatar() : nullptr))) {
        delete item;
        return nullptr;
    }
    return item;
}

const Ixa::Graphics::Bitmap* ChatScreen::avatar()
{
    if (avatar_ == nullptr && contact_ != nullptr) {
        std::unique_ptr<ContactIcon> icon(IMManager::GetContactIconModel()->GetImage(contact_->GetContactId()));
        avatar_.reset(IMManager::GetBitmapFromContactIcon(icon.get()));
    }
    return avatar_.get();
}

void ChatScreen::onModelUpdate(void* data)
{
    auto* notification = static_cast<ModelNotification*>(data);
    if (notification == nullptr || !showing_ || contact_ == nullptr || notification->getNotificationData() == nullptr) {
        return;
    }
    switch (notification->getNotificationType()) {
    case NOTIFY_MESSAGE_UPDATED:
        messageUpdated(*static_cast<Message*>(notification->getNotificationData()));
        break;
    case NOTIFY_CONTACT_UPDATED:
        contactUpdated(*static_cast<const Contact*>(notification->getNotificationData()));
        break;
    case NOTIFY_CONTACT_IMAGE_UPDATED:
        contactImageUpdated(*static_cast<const Contact*>(notification->getNotificationData()));
        break;
    default:
        break;
    }
}

bool ChatScreen::isOpenContact(const Ixa::Base::String& id) const
{
    return contact_ != nullptr && id.ToLower() == contact_->GetContactId().ToLower();
}

// A message of another conversation only rings: the manager leaves the alert to the chat
// screen while it is shown.
void ChatScreen::messageUpdated(Message& message)
{
    const int type = message.GetMessageType();
    if (!isOpenContact(message.GetOtherUserId())) {
        const bool melody = IMManager::GetPropertiesModel()->GetAlertSettings() == Ixa::Base::String("melody");
        if (type == Message::TYPE_RECEIVED_UNREAD && melody && !IMManager::GetIsAppInBackgroundState()) {
            IMManager::PlaySound();
        }
        return;
    }
    if (type == Message::TYPE_SENT || type == Message::TYPE_SEND_FAILED) {
        const int row = controller_.UpdateMessageState(message);
        if (row >= 0) {
            DisplaySentOrFailedMessage(row);
        }
    } else if (type == Message::TYPE_RECEIVED_UNREAD) {
        IMManager::GetMessageModel()->UpdateMessageStatus(&message);
        message.SetMessageType(Message::TYPE_RECEIVED_READ);
        if (!controller_.TakeLoadedUnread(message)) {
            controller_.AddMessageToArrayList(ChatController::CopyOf(message));
            DisplayReceievedChatMessage();
        }
    }
}

Ixa::Base::String ChatScreen::GetNoticeName() const
{
    return contact_->GetNickName().IsEmpty() ? contact_->GetContactId() : contact_->GetNickName();
}

void ChatScreen::contactUpdated(const Contact& contact)
{
    if (contact.GetUserName() != contact_->GetUserName()) {
        return;
    }
    const int presence = contact.GetPresenceType();
    const int shown = contact_->GetPresenceType();
    if (presence == Contact::PRESENCE_OFFLINE && shown != Contact::PRESENCE_OFFLINE) {
        contact_->SetPresenceType(presence);
        CreateOfflineMessage(IMManager::GetFormatString(IMManager::GetStringFromResource("IDS_BUDDY_WENT_OFFLINE"), contact.GetUserName()));
    } else if (presence != Contact::PRESENCE_OFFLINE && presence != Contact::PRESENCE_NEVER_SEEN && shown == Contact::PRESENCE_OFFLINE) {
        contact_->SetPresenceType(presence);
        Ixa::Base::String text(contact.GetUserName());
        text.Append(" ");
        text.Append(IMManager::GetStringFromResource("IDS_BUDDY_CAME_ONLINE"));
        CreateOfflineMessage(text);
    }
}

void ChatScreen::contactImageUpdated(const Contact& contact)
{
    if (!isOpenContact(contact.GetContactId())) {
        return;
    }
    if (IMManager::GetIsAppInBackgroundState()) {
        avatarRefreshPending_ = true;
        return;
    }
    avatar_.reset();
    ReloadList();
}
