#include "screens/BuddyScreen.h"

#include "app/IMManager.h"
#include "app/ModelNotification.h"
#include "app/PopupBuilder.h"
#include "screens/BuddyController.h"
#include "screens/CustomMessageAlert.h"
#include "screens/RowParts.h"
#include "screens/StartupChat.h"
#include "screens/TabScreenParts.h"
#include "screens/TextMetrics.h"

#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/Message.h"
#include "store/MessageModel.h"

#include "platform/Button.h"
#include "platform/ButtonItem.h"
#include "platform/Canvas.h"
#include "platform/Footer.h"
#include "platform/ListView.h"
#include "platform/SearchBar.h"

#include <algorithm>

namespace {

using Ixa::Graphics::Color;
using Ixa::Graphics::Rectangle;
using Ixa::Ui::Controls::CustomItem;

constexpr int SearchBarHeight = 86;
constexpr int WriteWidth = 72;
constexpr int Width = 480;
constexpr int Margin = 12;
constexpr int AvatarSize = 76;
constexpr int TextLeft = 100;
constexpr int PresenceSize = 24;
constexpr int NameLeft = TextLeft + PresenceSize + 8;
constexpr int NameSize = 32;
constexpr int NameTop = 8;
constexpr int NameHeight = 44;
constexpr int StatusSize = 24;
constexpr int BadgeLeft = 410;
constexpr int FoldSize = 32;
// Headers are slimmer than contact rows, so more contacts fit on the screen.
constexpr int HeaderHeight = 64;
constexpr int GroupTextSize = 30;
constexpr int OwnProfileRow = 1;

const Color& White = RowParts::White;
const Color Match(0xff, 0x45, 0x3a);
const Color& Secondary = RowParts::Secondary;
const Color GroupRow(0x2d, 0x3e, 0x54);
const Color SearchBarColour(0x27, 0x36, 0x4a);
const Color WritePressed(0x34, 0x50, 0x6e);

struct PopupButtons {
    int yes;
    int no;
};

PopupButtons popupButtons(int kind)
{
    switch (kind) {
    case BuddyController::POPUP_EXIT:
        return {BuddyController::ACTION_EXIT_YES, BuddyController::ACTION_EXIT_NO};
    case BuddyController::POPUP_BLOCK:
        return {BuddyController::ACTION_BLOCK_YES, BuddyController::ACTION_BLOCK_NO};
    case BuddyController::POPUP_UNBLOCK:
        return {BuddyController::ACTION_UNBLOCK_YES, BuddyController::ACTION_UNBLOCK_NO};
    case BuddyController::POPUP_DELETE:
        return {BuddyController::ACTION_DELETE_YES, BuddyController::ACTION_DELETE_NO};
    default:
        return {BuddyController::ACTION_SIGN_OUT_YES, BuddyController::ACTION_SIGN_OUT_NO};
    }
}

// A picture of one colour, the background of header rows.
std::unique_ptr<Ixa::Graphics::Bitmap> filled(const Color& color, int width, int height)
{
    Ixa::Graphics::Canvas canvas;
    if (Ixa::IsFailed(canvas.Construct(Rectangle(0, 0, width, height)))) {
        return nullptr;
    }
    canvas.FillRectangle(color, Rectangle(0, 0, width, height));
    return std::unique_ptr<Ixa::Graphics::Bitmap>(canvas.GetBitmapN());
}

void addBitmap(CustomItem& item, const Rectangle& bounds, int elementId, Ixa::Graphics::Bitmap* bitmap)
{
    RowParts::AddBitmap(item, bounds, elementId, bitmap);
}

void addText(CustomItem& item, const Rectangle& bounds, int elementId, const Ixa::Base::String& text, int size, const Color& color)
{
    RowParts::AddText(item, bounds, elementId, text, size, color);
}

}  // namespace

BuddyScreen::BuddyScreen()
    : searchProvider_(*this), rebuildPacer_([this] { onRebuildFrame(); })
{
}

// The lists give their rows back to their providers when they go, so they go while this
// screen (one provider) and its search-list provider are still whole. The controller outlives
// the screen; what it holds describes this screen's rows.
BuddyScreen::~BuddyScreen()
{
    if (searchBar_ != nullptr) {
        RemoveControl(*searchBar_);
    }
    if (mainList_ != nullptr) {
        RemoveControl(*mainList_);
    }
    bc.Cleanup();
}

bool BuddyScreen::Initialize()
{
    using namespace Ixa::Ui::Controls;
    if (Ixa::IsFailed(Construct(FORM_STYLE_HEADER | FORM_STYLE_FOOTER))) {
        return false;
    }
    SetName("BUDDY_SCREEN");
    buildHeader();
    buildFooter();
    buildContextItems();
    bc.InitializeContacts(true);
    buildLists();
    SetFormBackEventListener(this);
    if (StartupChat::IsWaiting()) {
        startupChatTimer_.Construct(*this);
        startupChatTimer_.Start(StartupChat::ListFirstMs);
    }
    return true;
}

void BuddyScreen::buildHeader() { TabScreenParts::BuildHeader(*this, BuddyController::ACTION_SIGN_OUT, BuddyController::ACTION_SETTINGS); }

void BuddyScreen::buildFooter()
{
    using namespace Ixa::Ui::Controls;
    TabScreenParts::AddTabs(*this, BuddyController::ACTION_FRIENDS, BuddyController::ACTION_CONVERSATIONS, 0);
    Footer* footer = GetFooter();
    ButtonItem add;
    add.Construct(BUTTON_ITEM_STYLE_ICON, BuddyController::ACTION_ADD);
    std::unique_ptr<Ixa::Graphics::Bitmap> plus(IMManager::GetBitmapN("touchkey_add.png"));
    add.SetIcon(BUTTON_ITEM_STATUS_NORMAL, plus.get());
    footer->SetButton(BUTTON_POSITION_LEFT, add);
    footer->SetBackButton();
    footer->AddActionEventListener(*this);
}

void BuddyScreen::buildLists()
{
    using namespace Ixa::Ui::Controls;
    const Rectangle client = GetClientAreaBounds();
    mainList_ = new ListView;
    mainList_->Construct(Rectangle(0, SearchBarHeight, client.width, client.height - SearchBarHeight));
    mainList_->SetItemProvider(*this);
    mainList_->AddListViewItemEventListener(*this);
    mainList_->AddTouchEventListener(*this);
    AddControl(*mainList_);

    searchBar_ = new SearchBar;
    searchBar_->Construct(Rectangle(0, 0, client.width - WriteWidth, SearchBarHeight));
    searchBar_->SetGuideText(IMManager::GetStringFromResource("IDS_SEARCH"));
    AddControl(*searchBar_);
    searchList_ = new ListView;
    searchList_->Construct(Rectangle(0, 0, client.width, client.height - SearchBarHeight));
    searchList_->SetTextOfEmptyList(IMManager::GetStringFromResource("IDS_NO_RESULTS"));
    searchList_->SetItemProvider(searchProvider_);
    searchList_->AddListViewItemEventListener(*this);
    searchList_->AddTouchEventListener(*this);
    searchBar_->SetContent(searchList_);
    searchBar_->AddSearchBarEventListener(*this);
    searchBar_->AddTextEventListener(*this);
    searchBar_->AddKeypadEventListener(*this);
    buildWriteButton();
}

// Beside the search field, in the search bar's colour: writing to any address, one tap from
// the list.
void BuddyScreen::buildWriteButton()
{
    std::unique_ptr<Ixa::Graphics::Bitmap> bubble(IMManager::GetBitmapN("touchkey_compose.png"));
    std::unique_ptr<Ixa::Graphics::Bitmap> normal = filled(SearchBarColour, WriteWidth, SearchBarHeight);
    std::unique_ptr<Ixa::Graphics::Bitmap> pressed = filled(WritePressed, WriteWidth, SearchBarHeight);
    writeButton_ = new Ixa::Ui::Controls::Button;
    writeButton_->Construct(Rectangle(GetClientAreaBounds().width - WriteWidth, 0, WriteWidth, SearchBarHeight));
    writeButton_->SetNormalBackgroundBitmap(normal.get());
    writeButton_->SetPressedBackgroundBitmap(pressed.get());
    if (bubble != nullptr) {
        const Ixa::Graphics::Point centred((WriteWidth - bubble->GetWidth()) / 2, (SearchBarHeight - bubble->GetHeight()) / 2);
        writeButton_->SetNormalBitmap(centred, bubble.get());
        writeButton_->SetPressedBitmap(centred, bubble.get());
    }
    writeButton_->SetActionId(BuddyController::ACTION_SEND_IM);
    writeButton_->AddActionEventListener(*this);
    AddControl(*writeButton_);
}

void BuddyScreen::buildContextItems()
{
    const Ixa::Base::String details = IMManager::GetStringFromResource("IDS_VIEW_DETAIL");
    const Ixa::Base::String remove = IMManager::GetStringFromResource("IDS_DELETE");
    selfContext_.Construct();
    selfContext_.AddElement(BuddyController::CONTEXT_VIEW_DETAIL, details);
    contactContext_.Construct();
    contactContext_.AddElement(BuddyController::CONTEXT_VIEW_DETAIL, details);
    contactContext_.AddElement(BuddyController::CONTEXT_BLOCK, IMManager::GetStringFromResource("IDS_BLOCK"));
    contactContext_.AddElement(BuddyController::CONTEXT_DELETE, remove);
    unblockContext_.Construct();
    unblockContext_.AddElement(BuddyController::CONTEXT_VIEW_DETAIL, details);
    unblockContext_.AddElement(BuddyController::CONTEXT_UNBLOCK, IMManager::GetStringFromResource("IDS_UNBOCK"));
    unblockContext_.AddElement(BuddyController::CONTEXT_DELETE, remove);
}

// Rows and badges are taken afresh on every return, in search mode too: what changed while
// another screen was shown is on the rows the user comes back to.
void BuddyScreen::updateScreen()
{
    CleanActivePopups();
    removeGenericBuddyPopupUp(false);
    contactPressedAndHold = 0;
    if (!bc.IsSearchMode()) {
        GetFooter()->SetItemSelected(0);
        bc.SetSelectedContact(nullptr);
    }
    RefreshBuddyList();
}

// Whatever row was held stays behind with the screen; the return rebuilds the list.
void BuddyScreen::willLossFocus() { contactPressedAndHold = 0; }

IMController* BuddyScreen::getController() { return &bc; }

IMModel* BuddyScreen::getModel() { return IMManager::GetContactModel(); }

bool BuddyScreen::handleEvent(EVENT_T event)
{
    switch (event) {
    case EVENT_SELF_INFO_CHANGED:
        bc.updateSelfInfo();
        if (!bc.IsSearchMode()) {
            RefreshRow(OwnProfileRow);
        }
        Draw();
        return true;
    case EVENT_BLOCK_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_BLOCK_FAILED"));
        return true;
    case EVENT_DELETE_CONTACT_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_DELETE_FAILED"));
        return true;
    case EVENT_LISTS_REFRESH_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_LIST_REFRESH_FAILED"));
        return true;
    case EVENT_UNBLOCK_FAILED:
        InitializeAndShowPopup(POPUP_INFO, IMManager::GetStringFromResource("IDS_UNBLOCK_FAILED"));
        return true;
    case EVENT_SIGN_OUT_SUCCESS:
        IMManager::notifyEvent(EVENT_SHOW_LOGIN, static_cast<void*>(nullptr));
        return true;
    case EVENT_RECONNECTING:
    case EVENT_RECONNECTED:
        redrawPresence();
        return true;
    default:
        return false;
    }
}

void BuddyScreen::setModelDependency()
{
    cleanModelList();
    thisViewDependsOnModel(IMManager::GetContactModel());
    thisViewDependsOnModel(IMManager::GetGroupModel());
    thisViewDependsOnModel(IMManager::GetMessageModel());
}

void BuddyScreen::onModelUpdates(std::vector<ModelNotification>& batch)
{
    if (mainList_ == nullptr) {
        return;
    }
    bool rebuild = false;
    bool ownRow = false;
    std::vector<Ixa::Base::String> senders;
    std::vector<const Contact*> avatars;
    for (const ModelNotification& update : batch) {
        const void* data = update.getNotificationData();
        switch (update.getNotificationType()) {
        case NOTIFY_MY_ICON_CHANGED:
            ownRow = true;
            break;
        case NOTIFY_ALL_PRESENCE_RECEIVED:
        case NOTIFY_CONTACT_LIST_CHANGED:
            rebuild = true;
            break;
        case NOTIFY_MESSAGE_UPDATED: {
            const auto* message = static_cast<const Message*>(data);
            if (message != nullptr && message->GetMessageType() == Message::TYPE_RECEIVED_UNREAD &&
                std::find(senders.begin(), senders.end(), message->GetOtherUserId()) == senders.end()) {
                senders.push_back(message->GetOtherUserId());
            }
            break;
        }
        case NOTIFY_CONTACT_IMAGE_UPDATED:
            if (data != nullptr) {
                avatars.push_back(static_cast<const Contact*>(data));
            }
            break;
        default:
            break;
        }
    }
    const bool rebuilt = rebuild && requestRebuild();
    updateUnreadRows(senders, rebuilt);
    for (const Contact* contact : avatars) {
        onContactImageUpdated(*contact);
    }
    if (ownRow && !bc.IsSearchMode()) {
        RefreshRow(OwnProfileRow);
    }
    if (!senders.empty() || !avatars.empty() || ownRow) {
        Draw();
    }
    if (!avatars.empty()) {
        Show();
    }
}

// A held row keeps the list as it is until its release, which rebuilds it then. Otherwise
// the first change of a frame rebuilds the list at once and the rest of the frame's changes
// wait for the next frame, which rebuilds it once for all of them: a burst of changes costs
// one rebuild a frame, however the wake-ups that deliver it fall.
bool BuddyScreen::requestRebuild()
{
    buddyListRefreshPending = true;
    if (contactPressedAndHold == 1 || !rebuildPacer_.TakeFrame()) {
        return false;
    }
    RefreshBuddyList();
    return true;
}

void BuddyScreen::onRebuildFrame()
{
    if (buddyListRefreshPending && contactPressedAndHold != 1) {
        requestRebuild();
    }
}

// A rebuild has read every count afresh; otherwise each sender's count is read once.
void BuddyScreen::updateUnreadRows(const std::vector<Ixa::Base::String>& senders, bool rebuilt)
{
    if (rebuilt) {
        return;
    }
    for (const Ixa::Base::String& sender : senders) {
        const int row = bc.updateContactInfo(sender);
        bc.UpdateUnreadCount(sender);
        if (contactPressedAndHold != 1 && row >= 0) {
            RefreshRow(row);
        }
    }
}

void BuddyScreen::onContactImageUpdated(const Contact& contact)
{
    const int row = bc.updateContactInfo(contact.GetContactId());
    Contact* listed = row >= 0 ? bc.GetContactByIndex(row) : nullptr;
    if (listed == nullptr) {
        return;
    }
    listed->SetIsHavingAvatar(contact.IsHavingAvatar());
    RefreshRow(row);
}

// Presence turned unknown or known again: the rows in view are drawn anew, as a held row
// waits for its release.
void BuddyScreen::redrawPresence()
{
    if (contactPressedAndHold == 1) {
        buddyListRefreshPending = true;
        return;
    }
    UpdateListView();
}

void BuddyScreen::RefreshBuddyList()
{
    ++rebuilds_;
    rebuildPacer_.MarkRun();
    buddyListRefreshPending = false;
    int length = 0;
    const Ixa::Base::String text = GetSearchBarTextandCount(length);
    if (bc.IsSearchMode()) {
        bc.ReloadSearchList(text, length);
    }
    if (!bc.IsSearchMode() || length == 0) {
        bc.clearContactList();
        bc.InitializeContacts(false);
    }
    UpdateListView();
    bc.OpenStartupChat(*this);
}

int BuddyScreen::GetRebuildCount() const { return rebuilds_; }

Ixa::Base::String BuddyScreen::ShownName(const Contact& contact)
{
    if (!contact.GetNickName().IsEmpty()) {
        return contact.GetNickName();
    }
    return !contact.GetUserName().IsEmpty() ? contact.GetUserName() : contact.GetContactId();
}

IMScreen::ListItemBase* BuddyScreen::CreateGeneralContactItem(Contact* contact, int, bool isSelf, bool searchMode)
{
    if (contact == nullptr) {
        return nullptr;
    }
    auto item = std::make_unique<CustomItem>();
    if (Ixa::IsFailed(item->Construct(Ixa::Graphics::Dimension(Width, ROW_HEIGHT)))) {
        return nullptr;
    }
    addAvatar(*item, *contact, isSelf);
    // Without a status message the name line sits in the middle of the row.
    const int nameTop = contact->GetCustomMessage().IsEmpty() ? (ROW_HEIGHT - NameHeight) / 2 : NameTop;
    // While the list is being refreshed, or the connection is being brought back, nobody's
    // presence is known: the grey offline ring stands for unknown; the stored presence stays.
    const bool unknown = IMManager::GetContactModel()->GetContactListRefreshing() || IMManager::IsReconnecting();
    const int presence = unknown && !isSelf ? Contact::PRESENCE_OFFLINE : contact->GetPresenceType();
    Ixa::Graphics::Bitmap* icon = IMManager::GetPresenceIconByType(presence, false, 0);
    if (icon != nullptr) {
        item->AddElement(Rectangle(TextLeft, nameTop + (NameHeight - PresenceSize) / 2, PresenceSize, PresenceSize), ELEMENT_PRESENCE, *icon);
    }
    const int unread = isSelf ? 0 : bc.GetUnreadCount(contact->GetContactId());
    const int right = unread > 0 ? BadgeLeft - CustomMessageAlert::ExtraWidth(unread) / 2 : Width - Margin;
    addName(*item, *contact, searchMode, Rectangle(NameLeft, nameTop, right - NameLeft, NameHeight));
    addText(*item, Rectangle(NameLeft, 56, right - NameLeft, 34), ELEMENT_STATUS, contact->GetCustomMessage(), StatusSize, Secondary);
    if (unread > 0) {
        CustomMessageAlert::AddTo(*item, ELEMENT_BADGE, ELEMENT_BADGE_COUNT, unread);
    }
    AddContextItems(*item, *contact, isSelf, searchMode);
    return item.release();
}

void BuddyScreen::addAvatar(CustomItem& item, const Contact& contact, bool isSelf)
{
    Ixa::Graphics::Bitmap* avatar = isSelf ? IMManager::GetSelfIcon() : RowParts::AvatarN(contact);
    addBitmap(item, Rectangle(Margin, (ROW_HEIGHT - AvatarSize) / 2, AvatarSize, AvatarSize), ELEMENT_AVATAR, avatar);
}

// In search mode the part of the name that matches the typed text is drawn in its own colour,
// so the name is laid out as up to three texts side by side.
void BuddyScreen::addName(CustomItem& item, const Contact& contact, bool searchMode, const Rectangle& line)
{
    const Ixa::Base::String name = ShownName(contact);
    int count = 0;
    Ixa::Base::String typed = searchMode ? GetSearchBarTextandCount(count) : Ixa::Base::String();
    int at = -1;
    if (count > 0) {
        name.ToLower().IndexOf(typed.ToLower(), 0, at);
    }
    if (at < 0) {
        addText(item, line, ELEMENT_NAME, name, NameSize, White);
        return;
    }
    Ixa::Base::String before;
    Ixa::Base::String match;
    Ixa::Base::String after;
    name.SubString(0, at, before);
    name.SubString(at, count, match);
    name.SubString(at + count, after);
    const int right = line.x + line.width;
    int x = line.x;
    const struct {
        const Ixa::Base::String& text;
        int id;
        const Color& color;
    } parts[] = {{before, ELEMENT_NAME, White}, {match, ELEMENT_NAME_MATCH, Match}, {after, ELEMENT_NAME_REST, White}};
    for (const auto& part : parts) {
        const int width = std::min(TextMetrics::Width(part.text, NameSize) + 1, std::max(0, right - x));
        addText(item, Rectangle(x, line.y, width, line.height), part.id, part.text, NameSize, part.color);
        x += width;
    }
}

IMScreen::ListItemBase* BuddyScreen::CreateGeneralGroupItem(Group* group, bool expanded, bool isSelf)
{
    if (group == nullptr) {
        return nullptr;
    }
    auto item = std::make_unique<CustomItem>();
    if (Ixa::IsFailed(item->Construct(Ixa::Graphics::Dimension(Width, HeaderHeight)))) {
        return nullptr;
    }
    addBitmap(*item, Rectangle(0, 0, Width, HeaderHeight), ELEMENT_BACKGROUND, filled(GroupRow, Width, HeaderHeight).release());
    addBitmap(*item, Rectangle(Margin + 8, (HeaderHeight - FoldSize) / 2, FoldSize, FoldSize), ELEMENT_FOLD,
        IMManager::GetBitmapN(expanded ? "65_expand_icon.png" : "65_fold_icon.png"));
    Ixa::Base::String text(group->GetGroupName());
    if (!isSelf) {
        ContactModel* contacts = IMManager::GetContactModel();
        text.Append(" (");
        text.Append(contacts->GetNumOfOnlineContactsInGroup(group->GetGroupName()));
        text.Append('/');
        text.Append(contacts->GetNumOfContactsInGroup(group->GetGroupName()));
        text.Append(')');
    }
    const int left = Margin + 8 + FoldSize + 16;
    addText(*item, Rectangle(left, 0, Width - left - Margin, HeaderHeight), ELEMENT_GROUP_NAME, text, GroupTextSize, White);
    return item.release();
}

void BuddyScreen::AddContextItems(CustomItem& item, const Contact& contact, bool isSelf, bool searchMode)
{
    if (isSelf) {
        item.SetContextItem(&selfContext_);
    } else {
        item.SetContextItem(searchMode && contact.GetIsBlocked() ? &unblockContext_ : &contactContext_);
    }
}

void BuddyScreen::createGenericBuddyPopUp(int kind, const Ixa::Base::String& text)
{
    const PopupButtons ids = popupButtons(kind);
    Popups().Show(POPUP_SCREEN_QUESTION, PopupBuilder::Question(text, ids.yes, ids.no, *this));
}

void BuddyScreen::removeGenericBuddyPopupUp(bool redraw)
{
    if (Popups().Close(POPUP_SCREEN_QUESTION) && redraw) {
        Draw();
    }
}

BuddyScreen::ListView* BuddyScreen::GetMainListView() const { return mainList_; }

BuddyScreen::ListView* BuddyScreen::GetSearchListView() const { return searchList_; }

BuddyScreen::ListView* BuddyScreen::VisibleListView() const { return bc.IsSearchMode() ? searchList_ : mainList_; }

void BuddyScreen::UpdateListView()
{
    ListView* list = VisibleListView();
    if (list != nullptr) {
        list->UpdateList();
    }
    Draw();
}

void BuddyScreen::RefreshRow(int index)
{
    ListView* list = VisibleListView();
    if (list != nullptr && index >= 0 && index < list->GetItemCount()) {
        list->RefreshList(index, Ixa::Ui::Controls::LIST_REFRESH_TYPE_ITEM_MODIFY);
    }
}

void BuddyScreen::ScrollToItemIndex(int index)
{
    ListView* list = VisibleListView();
    if (list != nullptr && index >= 0 && index < list->GetItemCount()) {
        list->ScrollToItem(index);
    }
}

Ixa::Base::String BuddyScreen::GetSearchBarTextandCount(int& count)
{
    count = searchBar_ != nullptr ? searchBar_->GetTextLength() : 0;
    return searchBar_ != nullptr ? searchBar_->GetText() : Ixa::Base::String();
}

void BuddyScreen::HideSearchKeypad()
{
    if (searchBar_ != nullptr) {
        searchBar_->HideKeypad();
    }
}

void BuddyScreen::ClearSearchBar()
{
    if (searchBar_ != nullptr) {
        searchBar_->Clear();
    }
}

void BuddyScreen::ShowSearchMode(bool on)
{
    using namespace Ixa::Ui::Controls;
    SetActionBarsVisible(FORM_ACTION_BAR_HEADER | FORM_ACTION_BAR_FOOTER, !on);
    // The search takes the whole width while its results show.
    writeButton_->SetShowState(!on);
    searchBar_->SetBounds(Rectangle(0, 0, GetClientAreaBounds().width - (on ? 0 : WriteWidth), SearchBarHeight));
    // The search list covers the main list, which must not take touches or draw meanwhile.
    mainList_->SetShowState(!on);
    searchList_->UpdateList();
    mainList_->UpdateList();
    Draw();
}

void BuddyScreen::setContactPressedAndHold(int hold) { contactPressedAndHold = hold; }

bool BuddyScreen::isBuddyListRefreshPending() const { return buddyListRefreshPending; }

bool BuddyScreen::isContactHeld() const { return contactPressedAndHold == 1; }
