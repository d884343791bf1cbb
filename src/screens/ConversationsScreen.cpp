#include "screens/ConversationsScreen.h"

#include "app/IMManager.h"
#include "app/ModelNotification.h"
#include "app/PopupBuilder.h"
#include "screens/ConversationsController.h"
#include "screens/CustomMessageAlert.h"
#include "screens/RowParts.h"
#include "screens/ShownTime.h"
#include "screens/TabScreenParts.h"

#include "store/Contact.h"
#include "store/ContactModel.h"
#include "store/Message.h"
#include "store/MessageModel.h"

#include "platform/ButtonItem.h"
#include "platform/Footer.h"
#include "platform/ListView.h"
#include "platform/NotificationManager.h"
#include "platform/SearchBar.h"

#include <memory>

namespace {

using Ixa::Graphics::Rectangle;
using Ixa::Ui::Controls::CustomItem;

constexpr int Width = 480;
constexpr int Margin = 12;
constexpr int AvatarSize = 76;
constexpr int TextLeft = 100;
constexpr int PresenceSize = 24;
constexpr int NameLeft = TextLeft + PresenceSize + 8;
constexpr int NameSize = 32;
constexpr int NameTop = 8;
constexpr int NameHeight = 44;
constexpr int NameGap = 8;
constexpr int TimeWidth = 124;
constexpr int TimeSize = 22;
constexpr int MessageTop = 56;
constexpr int MessageHeight = 34;
constexpr int MessageSize = 24;
constexpr int SearchBarHeight = 86;
// Between two steps of indexing older messages the screen gets on with its events.
constexpr int IndexingPauseMs = 20;

}  // namespace

// The list gives its rows back to this screen as it goes, so it goes while the screen is whole.
ConversationsScreen::~ConversationsScreen()
{
    if (list_ != nullptr) {
        RemoveControl(*list_);
    }
    conversationsController.Cleanup();
}

bool ConversationsScreen::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (Ixa::IsFailed(Construct(FORM_STYLE_HEADER | FORM_STYLE_FOOTER))) {
        return false;
    }
    SetName("CONVERSATIONS_SCREEN");
    buildHeader();
    buildFooter();
    buildContextItems();
    buildList();
    buildSearch();
    savedTimer_.Construct(*this);
    indexTimer_.Construct(*this);
    ContinueIndexing();
    SetFormBackEventListener(this);
    updateScreen();
    return true;
}

void ConversationsScreen::buildHeader()
{
    TabScreenParts::BuildHeader(*this, ConversationsController::ACTION_SIGN_OUT, ConversationsController::ACTION_SETTINGS);
}

void ConversationsScreen::buildFooter()
{
    TabScreenParts::AddTabs(*this, ConversationsController::ACTION_BUDDY_LIST, ConversationsController::ACTION_CONVERSATIONS, 1);
    GetFooter()->SetBackButton();
    GetFooter()->AddActionEventListener(*this);
}

void ConversationsScreen::showDeleteButton(bool show)
{
    using namespace Ixa::Ui::Controls;
    if (show == deleteButtonShown_) {
        return;
    }
    deleteButtonShown_ = show;
    if (!show) {
        GetFooter()->RemoveButtonAt(BUTTON_POSITION_LEFT);
        return;
    }
    ButtonItem remove;
    remove.Construct(BUTTON_ITEM_STYLE_ICON, ConversationsController::ACTION_DELETE_SCREEN);
    std::unique_ptr<Ixa::Graphics::Bitmap> picture(IMManager::GetBitmapN("02_message_delete.png"));
    remove.SetIcon(BUTTON_ITEM_STATUS_NORMAL, picture.get());
    GetFooter()->SetButton(BUTTON_POSITION_LEFT, remove);
}

void ConversationsScreen::buildList()
{
    const Rectangle client = GetClientAreaBounds();
    list_ = new ListView;
    list_->Construct(Rectangle(0, SearchBarHeight, client.width, client.height - SearchBarHeight));
    list_->SetItemProvider(*this);
    list_->AddListViewItemEventListener(*this);
    list_->SetTextOfEmptyList(IMManager::GetStringFromResource("IDS_NO_CONVERSATIONS"));
    std::unique_ptr<Ixa::Graphics::Bitmap> empty(IMManager::GetBitmapN("00_noitems_no_message.png"));
    list_->SetBitmapOfEmptyList(empty.get());
    AddControl(*list_);
}

void ConversationsScreen::buildSearch()
{
    using namespace Ixa::Ui::Controls;
    const Rectangle client = GetClientAreaBounds();
    searchBar_ = new SearchBar;
    searchBar_->Construct(Rectangle(0, 0, client.width, SearchBarHeight));
    searchBar_->SetGuideText(IMManager::GetStringFromResource("IDS_SEARCH_MESSAGES"));
    AddControl(*searchBar_);
    searchList_ = new ListView;
    searchList_->Construct(Rectangle(0, 0, client.width, client.height - SearchBarHeight));
    searchList_->SetTextOfEmptyList(IMManager::GetStringFromResource("IDS_NO_RESULTS"));
    searchList_->SetItemProvider(conversationsController.GetSearchResults());
    searchList_->AddListViewItemEventListener(*this);
    searchBar_->SetContent(searchList_);
    searchBar_->AddSearchBarEventListener(*this);
    searchBar_->AddTextEventListener(*this);
    searchBar_->AddKeypadEventListener(*this);
}

void ConversationsScreen::ShowSearchMode(bool on)
{
    using namespace Ixa::Ui::Controls;
    SetActionBarsVisible(FORM_ACTION_BAR_HEADER | FORM_ACTION_BAR_FOOTER, !on);
    list_->SetShowState(!on);
    searchList_->UpdateList();
    list_->UpdateList();
    Draw();
}

void ConversationsScreen::UpdateSearchList()
{
    searchList_->UpdateList();
    if (searchList_->GetItemCount() > 0) {
        searchList_->ScrollToItem(0);
    }
    Draw();
}

Ixa::Base::String ConversationsScreen::GetSearchText() const { return searchBar_->GetText(); }

void ConversationsScreen::HideSearchKeypad() { searchBar_->HideKeypad(); }

void ConversationsScreen::ClearSearchBar()
{
    searchBar_->Clear();
    searchBar_->SetMode(Ixa::Ui::Controls::SEARCH_BAR_MODE_NORMAL);
}

bool ConversationsScreen::IsSearchList(const ListView& list) const { return &list == searchList_; }

bool ConversationsScreen::IsIndexTimer(const Ixa::Base::Runtime::Timer& timer) const { return &timer == &indexTimer_; }

void ConversationsScreen::ContinueIndexing()
{
    if (!IMManager::GetMessageModel()->IsSearchIndexComplete()) {
        indexTimer_.Start(IndexingPauseMs);
    }
}

void ConversationsScreen::buildContextItems()
{
    for (int buddy = 0; buddy < 2; ++buddy) {
        for (int blocked = 0; blocked < 2; ++blocked) {
            Ixa::Ui::Controls::ListContextItem& context = contexts_[buddy][blocked];
            context.Construct();
            context.AddElement(ConversationsController::CONTEXT_END, IMManager::GetStringFromResource("IDS_END_CONVERSATION"));
            context.AddElement(ConversationsController::CONTEXT_SAVE, IMManager::GetStringFromResource("IDS_SAVE_CONVERSATION"));
            context.AddElement(ConversationsController::CONTEXT_BLOCK, IMManager::GetStringFromResource(blocked != 0 ? "IDS_UNBOCK" : "IDS_BLOCK"));
            if (buddy == 0) {
                context.AddElement(ConversationsController::CONTEXT_ADD_BUDDY, IMManager::GetStringFromResource("IDS_ADD"));
            }
        }
    }
}

const Ixa::Ui::Controls::ListContextItem& ConversationsScreen::contextFor(bool isBuddy, bool isBlocked) const
{
    return contexts_[isBuddy ? 1 : 0][isBlocked ? 1 : 0];
}

// Every new message is on this list, so the notification that points at one has done its work.
void ConversationsScreen::updateScreen()
{
    CleanActivePopups();
    ClosePopup(POPUP_SCREEN_QUESTION);
    ClosePopup(POPUP_SAVE_BEFORE_END);
    ClosePopup(POPUP_SAVED);
    Ixa::App::NotificationManager notifications;
    notifications.Construct();
    notifications.RemoveOngoingActivityNotification();
    conversationsController.LoadUsersWithConversation();
    UpdateListView();
}

IMController* ConversationsScreen::getController() { return &conversationsController; }

IMModel* ConversationsScreen::getModel() { return IMManager::GetMessageModel(); }

bool ConversationsScreen::handleEvent(EVENT_T event)
{
    if (event == EVENT_SIGN_OUT_SUCCESS) {
        IMManager::notifyEvent(EVENT_SHOW_LOGIN);
        return true;
    }
    return false;
}

void ConversationsScreen::setModelDependency()
{
    cleanModelList();
    thisViewDependsOnModel(IMManager::GetMessageModel());
    thisViewDependsOnModel(IMManager::GetContactModel());
}

void ConversationsScreen::onModelUpdate(void* data)
{
    const auto* notification = static_cast<const ModelNotification*>(data);
    if (notification == nullptr || list_ == nullptr) {
        return;
    }
    switch (notification->getNotificationType()) {
    case NOTIFY_MESSAGE_UPDATED:
        conversationsController.UpateNewConversation(static_cast<const Message*>(notification->getNotificationData()), this);
        break;
    case NOTIFY_CONTACT_UPDATED:
    case NOTIFY_CONTACT_IMAGE_UPDATED: {
        const auto* contact = static_cast<const Contact*>(notification->getNotificationData());
        if (contact != nullptr) {
            RefreshRow(conversationsController.GetConversationIndexForUser(contact->GetContactId()));
            Draw();
        }
        break;
    }
    case NOTIFY_ALL_PRESENCE_RECEIVED:
    case NOTIFY_CONTACT_LIST_CHANGED:
        UpdateListView();
        break;
    default:
        break;
    }
}

IMScreen::ListItemBase* ConversationsScreen::CreateConversationItem(const Ixa::Base::String& user, const Contact* contact,
    const Message* last, int unread)
{
    auto item = std::make_unique<CustomItem>();
    if (Ixa::IsFailed(item->Construct(Ixa::Graphics::Dimension(Width, ROW_HEIGHT)))) {
        return nullptr;
    }
    const bool isBuddy = contact != nullptr && contact->GetOnBuddyList();
    const int avatarTop = (ROW_HEIGHT - AvatarSize) / 2;
    RowParts::AddBitmap(*item, Rectangle(Margin, avatarTop, AvatarSize, AvatarSize), ELEMENT_AVATAR,
        contact != nullptr ? RowParts::AvatarN(*contact) : IMManager::GetBitmapN("no_contacts.png"));
    const int presence = isBuddy && !IMManager::IsReconnecting() ? contact->GetPresenceType() : Contact::PRESENCE_OFFLINE;
    if (Ixa::Graphics::Bitmap* icon = IMManager::GetPresenceIconByType(presence, false, 0)) {
        item->AddElement(Rectangle(TextLeft, NameTop + (NameHeight - PresenceSize) / 2, PresenceSize, PresenceSize), ELEMENT_PRESENCE, *icon);
    }
    // The time takes the right end of the first line and the badge the right end of the
    // second, below it, so a badge takes room from the last message only, never the name.
    const int timeLeft = Width - Margin - TimeWidth;
    const int badgeTop = NameTop + NameHeight;
    const int messageRight = unread > 0 ? CustomMessageAlert::GetBounds(unread, badgeTop).x - Margin : Width - Margin;
    RowParts::AddText(*item, Rectangle(NameLeft, NameTop, timeLeft - NameGap - NameLeft, NameHeight), ELEMENT_NAME,
        ConversationsController::ShownName(contact, user), NameSize, RowParts::White);
    if (last != nullptr) {
        RowParts::AddText(*item, Rectangle(timeLeft, NameTop, TimeWidth, NameHeight), ELEMENT_TIME, ShownTime::Time(last->GetTimeStamp()),
            TimeSize, RowParts::Secondary);
        RowParts::AddText(*item, Rectangle(NameLeft, MessageTop, messageRight - NameLeft, MessageHeight), ELEMENT_LAST_MESSAGE,
            last->GetMessage(), MessageSize, RowParts::Secondary);
    }
    if (unread > 0) {
        CustomMessageAlert::AddTo(*item, ELEMENT_BADGE, ELEMENT_BADGE_COUNT, unread, badgeTop);
    }
    item->SetContextItem(&contextFor(isBuddy, contact != nullptr && contact->GetIsBlocked()));
    return item.release();
}

void ConversationsScreen::UpdateListView()
{
    if (list_ != nullptr) {
        list_->UpdateList();
    }
    showDeleteButton(conversationsController.GetConversationCount() > 0);
    Draw();
}

void ConversationsScreen::RefreshRow(int row)
{
    if (list_ != nullptr && row >= 0 && row < list_->GetItemCount()) {
        list_->RefreshList(row, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_MODIFY);
    }
}

void ConversationsScreen::ShowQuestion(const Ixa::Base::String& text, int yesAction, int noAction)
{
    Popups().Show(POPUP_SCREEN_QUESTION, PopupBuilder::Question(text, yesAction, noAction, *this));
}

void ConversationsScreen::ShowSaveBeforeEnding()
{
    Popups().Show(POPUP_SAVE_BEFORE_END, PopupBuilder::Menu("IDS_SAVE_CONVERSATIONS",
        {{"IDS_SAVE", ConversationsController::ACTION_SAVE_AND_END},
            {"IDS_EXIT_WITHOUT_SAVING", ConversationsController::ACTION_END_WITHOUT_SAVING},
            {"IDS_CANCEL", ConversationsController::ACTION_END_CANCEL}},
        *this));
}

void ConversationsScreen::ShowSavedNotice()
{
    Popups().Show(POPUP_SAVED, PopupBuilder::TitledNotice("IDS_SAVE_CONVERSATIONS", IMManager::GetStringFromResource("IDS_IM_POP_EDIT_SAVED")));
    savedTimer_.Start(ConversationsController::SAVED_NOTICE_MS);
}

void ConversationsScreen::ClosePopup(int kind)
{
    if (Popups().Close(kind)) {
        Draw();
    }
}
