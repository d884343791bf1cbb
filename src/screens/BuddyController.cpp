#include "screens/BuddyController.h"

#include "app/IMManager.h"
#include "screens/BuddyScreen.h"
#include "screens/SelfInfoController.h"
#include "screens/SettingsController.h"
#include "screens/StartupChat.h"

#include "engine/PresenceStatus.h"
#include "store/ContactModel.h"
#include "store/Group.h"
#include "store/GroupModel.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"

#include "platform/Application.h"
#include "platform/CaseFolding.h"
#include "platform/Integer.h"
#include "platform/ListView.h"
#include "platform/SearchBar.h"

#include <cstdlib>

BuddyController bc;

bool BuddyController::isShowOfflineContacts = true;

namespace {

using Ixa::Base::Collection::ArrayList;
using Ixa::Base::Collection::HashMap;

// The own contact is the row under the own-profile header.
constexpr int SelfRow = 1;
constexpr int SelfGroupIndex = 0;
// How far a finger moves over a held row before the list counts it as scrolling.
constexpr int ScrollDistance = 24;

}  // namespace

BuddyController::BuddyController() = default;

BuddyController::~BuddyController() { Cleanup(); }

void BuddyController::InitializeContacts(bool createList)
{
    isShowOfflineContacts = IMManager::GetPropertiesModel()->GetShowOfflineContactsOrPics();
    if (createList || list_ == nullptr) {
        list_ = std::make_unique<MyExpandableList>();
    }
    if (!searchMode_) {
        addSelfHeader();
    }
    addGroupHeaders();
    replaceUnreadMessages();
}

void BuddyController::addSelfHeader()
{
    Contact* self = IMManager::GetContactModel()->CreateContact();
    Group* group = IMManager::GetGroupModel()->CreateGroup();
    if (self == nullptr || group == nullptr) {
        delete self;
        delete group;
        return;
    }
    self->SetContactId(IMString(IMManager::GetPropertiesModel()->GetEmailId()));
    group->SetGroupName(IMString(IMManager::GetStringFromResource("IDS_MY_PROFILE")));
    auto* header = new GroupListItem(SelfGroupIndex, group, IMManager::GetPropertiesModel()->IsMyProfileExpanded());
    header->AddItem(new ContactItem(SelfGroupIndex, 0, self));
    list_->AddItem(header);
    updateSelfInfo();
}

void BuddyController::addGroupHeaders()
{
    ArrayList* groups = IMManager::GetGroupModel()->GetAllSortedGroups();
    const int first = searchMode_ ? 0 : 1;
    for (int i = 0; groups != nullptr && i < groups->GetCount(); ++i) {
        auto* group = static_cast<Group*>(groups->GetAt(i));
        auto* header = new GroupListItem(i + first, group, group->GetIsExpanded());
        ArrayList* contacts = IMManager::GetContactModel()->GetAllSortedContactsInGroup(group->GetGroupName(), isShowOfflineContacts);
        for (int position = 0; contacts != nullptr && position < contacts->GetCount(); ++position) {
            header->AddItem(new ContactItem(i + first, position, static_cast<Contact*>(contacts->GetAt(position))));
        }
        if (contacts != nullptr) {
            contacts->RemoveAll(false);
            delete contacts;
        }
        list_->AddItem(header);
    }
    if (groups != nullptr) {
        // The headers took the groups.
        groups->RemoveAll(false);
        delete groups;
    }
}

void BuddyController::replaceUnreadMessages() { replaceUnreadMap(IMManager::GetMessageModel()->GetUnreadMessages()); }

void BuddyController::replaceUnreadMap(HashMap* map)
{
    if (unreadMessages_ != nullptr) {
        unreadMessages_->RemoveAll(true);
        delete unreadMessages_;
    }
    unreadMessages_ = map;
}

void BuddyController::clearContactList()
{
    if (list_ != nullptr) {
        list_ = std::make_unique<MyExpandableList>();
    }
}

void BuddyController::ReloadSearchList(const Ixa::Base::String& text, int length)
{
    loadSearchPool();
    replaceUnreadMessages();
    FilterSearchList(text, length);
}

void BuddyController::FilterSearchList(const Ixa::Base::String& text, int length)
{
    searchActive_ = length > 0;
    searchResults_.clear();
    if (!searchActive_) {
        return;
    }
    const std::u16string typed(Ixa::Base::CaseFolding::Fold(text).GetPointer());
    for (const SearchEntry& entry : searchPool_) {
        if (entry.userName.find(typed) != std::u16string::npos || entry.shownName.find(typed) != std::u16string::npos) {
            searchResults_.push_back(entry.contact.get());
        }
    }
}

// Every contact matches the empty text, in the order the search shows its results.
void BuddyController::loadSearchPool()
{
    searchResults_.clear();
    searchPool_.clear();
    std::unique_ptr<ArrayList> all(IMManager::GetContactModel()->GetAllContactsStartingWith(Ixa::Base::String(), true));
    for (int i = 0; all != nullptr && i < all->GetCount(); ++i) {
        auto* contact = static_cast<Contact*>(all->GetAt(i));
        searchPool_.push_back({std::unique_ptr<Contact>(contact), Ixa::Base::CaseFolding::Fold(contact->GetUserName()).GetPointer(),
            Ixa::Base::CaseFolding::Fold(contact->GetNickName()).GetPointer()});
    }
    if (all != nullptr) {
        all->RemoveAll(false);
    }
}

void BuddyController::clearSearch()
{
    searchActive_ = false;
    searchResults_.clear();
    searchPool_.clear();
}

void BuddyController::updateSelfInfo()
{
    auto* header = list_ != nullptr && !searchMode_ ? dynamic_cast<GroupListItem*>(list_->GetItemAt(0)) : nullptr;
    if (header == nullptr || !isSelfHeader(*header) || header->GetAllItems()->GetCount() == 0) {
        return;
    }
    Contact* self = static_cast<ContactItem*>(header->GetAllItems()->GetAt(0))->GetItem();
    selfDisplayName_ = IMManager::GetDisplayName();
    self->SetNickName(IMString(selfDisplayName_));
    PresenceStatus status = IMManager::CopySelfStatus();
    if (!status.GetCustomStatusMessage().IsEmpty()) {
        self->SetCustomMessage(IMString(status.GetCustomStatusMessage()));
    }
    self->SetPresenceType(status.GetPresenceStatus());
}

int BuddyController::updateContactInfo(const Ixa::Base::String& contactId)
{
    const int count = GetSearchResultCount();
    for (int index = 0; index < count; ++index) {
        const Contact* contact = GetContactByIndex(index);
        if (contact != nullptr && contact->GetContactId().Equals(contactId)) {
            return index;
        }
    }
    return -1;
}

Ixa::Base::Object* BuddyController::visibleEntry(int index) const
{
    if (searchActive_) {
        return index >= 0 && index < static_cast<int>(searchResults_.size()) ? searchResults_[static_cast<size_t>(index)] : nullptr;
    }
    return list_ != nullptr ? list_->GetItemAt(index) : nullptr;
}

Contact* BuddyController::GetContactByIndex(int index)
{
    Ixa::Base::Object* entry = visibleEntry(index);
    if (auto* row = dynamic_cast<ContactItem*>(entry)) {
        return row->GetItem();
    }
    return dynamic_cast<Contact*>(entry);
}

bool BuddyController::isSelfHeader(const GroupListItem& header) const { return !searchMode_ && header.GetGroupIndex() == SelfGroupIndex; }

bool BuddyController::isSelfRow(const ContactItem& row) const
{
    return !searchMode_ && row.GetGroupIndex() == SelfGroupIndex && row.GetItemIndex() == 0;
}

Ixa::Ui::Controls::ListItemBase* BuddyController::createItemForBuddy(int index, BuddyScreen* screen)
{
    Ixa::Base::Object* entry = list_ != nullptr ? list_->GetItemAt(index) : nullptr;
    if (auto* header = dynamic_cast<GroupListItem*>(entry)) {
        return isSelfHeader(*header) ? createGroupItemForSelf(screen) : screen->CreateGeneralGroupItem(header->GetItem(), header->IsExpanded(), false);
    }
    if (auto* row = dynamic_cast<ContactItem*>(entry)) {
        return screen->CreateGeneralContactItem(row->GetItem(), index, isSelfRow(*row), false);
    }
    return nullptr;
}

Ixa::Ui::Controls::ListItemBase* BuddyController::createItemForBuddySearchMode(int index, BuddyScreen* screen)
{
    if (!searchActive_) {
        return createItemForBuddy(index, screen);
    }
    Contact* contact = GetContactByIndex(index);
    return contact != nullptr ? screen->CreateGeneralContactItem(contact, index, false, true) : nullptr;
}

Ixa::Ui::Controls::ListItemBase* BuddyController::createGroupItemForSelf(BuddyScreen* screen)
{
    auto* header = list_ != nullptr ? dynamic_cast<GroupListItem*>(list_->GetItemAt(0)) : nullptr;
    return header != nullptr ? screen->CreateGeneralGroupItem(header->GetItem(), header->IsExpanded(), true) : nullptr;
}

Ixa::Ui::Controls::ListItemBase* BuddyController::processCreateItem(int index, int, IMView* view)
{
    auto* screen = dynamic_cast<BuddyScreen*>(view);
    return screen != nullptr ? createItemForBuddy(index, screen) : nullptr;
}

bool BuddyController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

int BuddyController::processGetItemCount(IMView*) { return list_ != nullptr ? list_->GetItemCount() : 0; }

int BuddyController::GetSearchResultCount() const
{
    if (searchActive_) {
        return static_cast<int>(searchResults_.size());
    }
    return list_ != nullptr ? list_->GetItemCount() : 0;
}

void BuddyController::processListViewItemStateChanged(ListView&, int index, int, ListItemStatus, IMView* view)
{
    auto* screen = dynamic_cast<BuddyScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    Ixa::Base::Object* entry = visibleEntry(index);
    if (auto* header = dynamic_cast<GroupListItem*>(entry)) {
        toggleGroup(index, *header, *screen);
    } else if (auto* row = dynamic_cast<ContactItem*>(entry); row != nullptr && isSelfRow(*row)) {
        showSelfInfo();
    } else if (Contact* contact = GetContactByIndex(index)) {
        openChat(*contact, *screen);
    }
    releaseHold(*screen);
}

void BuddyController::toggleGroup(int index, GroupListItem& header, BuddyScreen& screen)
{
    const bool expanded = !header.IsExpanded();
    header.setExpanded(expanded);
    if (isSelfHeader(header)) {
        IMManager::GetPropertiesModel()->SetMyProfileExpanded(expanded);
    } else if (header.GetItem() != nullptr) {
        IMManager::GetGroupModel()->UpdateGroupStateById(header.GetItem()->GetGroupId(), expanded);
    }
    if (expanded) {
        list_->AddSubItems(index, &header);
    } else {
        list_->RemoveSubItems(index, &header);
    }
    screen.UpdateListView();
}

// A tap that comes while a refresh waits for the list is on a row that may have changed
// under the finger, so it opens nothing.
void BuddyController::openChat(const Contact& contact, BuddyScreen& screen)
{
    if (!screen.isBuddyListRefreshPending()) {
        postWithContact(EVENT_SHOW_CHAT, contact);
    }
}

void BuddyController::processTimerExpired(Ixa::Base::Runtime::Timer&, IMView* view)
{
    if (auto* screen = dynamic_cast<BuddyScreen*>(view)) {
        StartupChat::SetDue();
        OpenStartupChat(*screen);
    }
}

void BuddyController::OpenStartupChat(BuddyScreen& screen)
{
    if (screen.isBuddyListRefreshPending()) {
        return;
    }
    std::unique_ptr<Contact> contact(StartupChat::TakeContactToOpen());
    if (contact != nullptr) {
        postWithContact(EVENT_SHOW_CHAT, *contact);
    }
}

void BuddyController::postWithContact(EVENT_T event, const Contact& contact)
{
    handedContact_.reset(IMManager::GetContactModel()->CreateContact(const_cast<Contact*>(&contact)));
    if (handedContact_ != nullptr) {
        IMManager::notifyEvent(event, static_cast<void*>(handedContact_.get()));
    }
}

void BuddyController::showSelfInfo() { SelfInfoController::Open(SelfInfoController::FROM_BUDDY_LIST); }

void BuddyController::processListViewContextItemStateChanged(ListView&, int index, int elementId, ListContextItemStatus, IMView* view)
{
    auto* screen = dynamic_cast<BuddyScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    const Contact* contact = GetContactByIndex(index);
    switch (elementId) {
    case CONTEXT_VIEW_DETAIL:
        if (!searchMode_ && index == SelfRow) {
            showSelfInfo();
        } else if (contact != nullptr) {
            postWithContact(EVENT_SHOW_CONTACT_INFO, *contact);
        }
        break;
    case CONTEXT_DELETE:
        askAbout(POPUP_DELETE, "IDS_DELETE_CONFIRMATION_POPUP", contact, *screen);
        break;
    case CONTEXT_BLOCK:
        askAbout(POPUP_BLOCK, "IDS_BLOCK_CONTACT_CONFIRMATION_POPUP", contact, *screen);
        break;
    case CONTEXT_UNBLOCK:
        askAbout(POPUP_UNBLOCK, "IDS_UNBLOCK_CONTACT_CONFIRMATION_POPUP", contact, *screen);
        break;
    default:
        break;
    }
    releaseHold(*screen);
}

void BuddyController::askAbout(int kind, const char* textId, const Contact* contact, BuddyScreen& screen)
{
    SetSelectedContact(contact != nullptr ? IMManager::GetContactModel()->CreateContact(const_cast<Contact*>(contact)) : nullptr);
    const Ixa::Base::String name = contact != nullptr ? BuddyScreen::ShownName(*contact) : Ixa::Base::String();
    screen.createGenericBuddyPopUp(kind, IMManager::GetFormatString(IMManager::GetStringFromResource(textId), name));
}

// Only a row with a context item (a contact or the own profile) is held: a header opens no
// menu, so nothing would ever end the hold.
void BuddyController::processTouchLongPressed(const Control& source, const Point& at, const TouchInfo&, IMView* view)
{
    auto* screen = dynamic_cast<BuddyScreen*>(view);
    ListView* list = screen != nullptr ? screen->VisibleListView() : nullptr;
    if (list == nullptr || &source != list) {
        return;
    }
    if (GetContactByIndex(list->GetItemIndexFromPosition(at)) != nullptr) {
        screen->setContactPressedAndHold(1);
    }
}

void BuddyController::processTouchPressed(const Control&, const Point& at, const TouchInfo&, IMView*) { pressedAt_ = at; }

// Scrolling lets the held row go: the context item it opened is out of the way.
void BuddyController::processTouchMoved(const Control&, const Point& at, const TouchInfo&, IMView* view)
{
    auto* screen = dynamic_cast<BuddyScreen*>(view);
    if (screen != nullptr && screen->isContactHeld() && std::abs(at.y - pressedAt_.y) > ScrollDistance) {
        releaseHold(*screen);
    }
}

void BuddyController::releaseHold(BuddyScreen& screen)
{
    screen.setContactPressedAndHold(0);
    if (screen.isBuddyListRefreshPending()) {
        screen.RefreshBuddyList();
    }
}

void BuddyController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<BuddyScreen*>(view);
    if (screen == nullptr || answerPopup(actionId, *screen)) {
        return;
    }
    switch (actionId) {
    case ACTION_SIGN_OUT:
        screen->createGenericBuddyPopUp(POPUP_SIGN_OUT, IMManager::GetStringFromResource("IDS_SIGNOUT_CONFIRMATION_POPUP"));
        break;
    case ACTION_SETTINGS:
        SettingsController::Open(SettingsController::FROM_BUDDY_LIST);
        break;
    case ACTION_ADD:
        IMManager::notifyEvent(EVENT_SHOW_ADD_CONTACT, static_cast<void*>(nullptr));
        break;
    case ACTION_CONVERSATIONS:
        IMManager::notifyEvent(EVENT_SHOW_CONVERSATIONS, static_cast<void*>(nullptr));
        break;
    case ACTION_SEND_IM:
        IMManager::notifyEvent(EVENT_SHOW_SEND_IM, static_cast<void*>(nullptr));
        break;
    default:
        break;
    }
}

bool BuddyController::answerPopup(int actionId, BuddyScreen& screen)
{
    switch (actionId) {
    case ACTION_DELETE_YES:
        screen.removeGenericBuddyPopupUp(true);
        DeleteContact();
        return true;
    case ACTION_BLOCK_YES:
        BlockContact();
        screen.removeGenericBuddyPopupUp(true);
        return true;
    case ACTION_UNBLOCK_YES:
        UnBlockContact();
        screen.removeGenericBuddyPopupUp(true);
        return true;
    case ACTION_SIGN_OUT_YES:
        screen.removeGenericBuddyPopupUp(true);
        SignOut();
        return true;
    case ACTION_EXIT_YES:
        screen.removeGenericBuddyPopupUp(true);
        Ixa::App::Application::GetInstance()->Terminate();
        return true;
    case ACTION_DELETE_NO:
    case ACTION_BLOCK_NO:
    case ACTION_UNBLOCK_NO:
        screen.removeGenericBuddyPopupUp(true);
        SetSelectedContact(nullptr);
        return true;
    case ACTION_SIGN_OUT_NO:
    case ACTION_EXIT_NO:
        screen.removeGenericBuddyPopupUp(true);
        return true;
    default:
        return false;
    }
}

void BuddyController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void BuddyController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { Ixa::App::Application::GetInstance()->Terminate(); }

void BuddyController::processSearchBarModeChanged(Ixa::Ui::Controls::SearchBar&, Ixa::Ui::Controls::SearchBarMode mode, IMView* view)
{
    auto* screen = dynamic_cast<BuddyScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    if (mode == Ixa::Ui::Controls::SEARCH_BAR_MODE_INPUT) {
        enterSearch(*screen);
    } else {
        leaveSearch(*screen);
    }
}

void BuddyController::enterSearch(BuddyScreen& screen)
{
    searchMode_ = true;
    clearSearch();
    clearContactList();
    InitializeContacts(false);
    loadSearchPool();
    screen.ShowSearchMode(true);
}

void BuddyController::leaveSearch(BuddyScreen& screen)
{
    searchMode_ = false;
    clearSearch();
    screen.ClearSearchBar();
    clearContactList();
    InitializeContacts(false);
    screen.ShowSearchMode(false);
}

void BuddyController::OnTextValueChanged(const Control&, IMView* view)
{
    auto* screen = dynamic_cast<BuddyScreen*>(view);
    if (screen != nullptr && searchMode_) {
        search(*screen);
    }
}

void BuddyController::search(BuddyScreen& screen)
{
    int length = 0;
    const Ixa::Base::String text = screen.GetSearchBarTextandCount(length);
    FilterSearchList(text, length);
    screen.UpdateListView();
    screen.ScrollToItemIndex(0);
}

void BuddyController::processKeypadActionPerformed(Control&, Ixa::Ui::KeypadAction, IMView* view)
{
    if (auto* screen = dynamic_cast<BuddyScreen*>(view)) {
        screen->HideSearchKeypad();
    }
}

void BuddyController::RefreshContactList()
{
    if (RequestController* requests = IMManager::GetRequestController()) {
        requests->refreshLists(true);
    }
}

void BuddyController::DeleteContact()
{
    RequestController* requests = IMManager::GetRequestController();
    std::unique_ptr<Contact> stored(selectedContact_ != nullptr ? IMManager::GetContactModel()->GetContactById(selectedContact_->GetContactId()) : nullptr);
    if (requests != nullptr && stored != nullptr) {
        requests->RemoveContactFromGroup(selectedContact_.get(), nullptr);
    }
}

void BuddyController::BlockContact()
{
    RequestController* requests = IMManager::GetRequestController();
    if (requests != nullptr && selectedContact_ != nullptr) {
        requests->AddToIgnoreList(new IMString(selectedContact_->GetUserName()));
    }
}

void BuddyController::UnBlockContact()
{
    RequestController* requests = IMManager::GetRequestController();
    if (requests != nullptr && selectedContact_ != nullptr) {
        IMString user(selectedContact_->GetUserName());
        requests->RemoveFromIgnoreList(&user);
    }
}

void BuddyController::SignOut()
{
    IMManager::GetPropertiesModel()->SetAvailableState(true);
    if (RequestController* requests = IMManager::GetRequestController()) {
        requests->SignOut();
    }
}

void BuddyController::Cleanup()
{
    list_.reset();
    clearSearch();
    replaceUnreadMap(nullptr);
    selectedContact_.reset();
    handedContact_.reset();
    selfDisplayName_ = Ixa::Base::String();
    searchMode_ = false;
}

void BuddyController::SetSelectedContact(Contact* contact) { selectedContact_.reset(contact); }

Contact* BuddyController::GetSelectedContact() const { return selectedContact_.get(); }

bool BuddyController::IsSearchMode() const { return searchMode_; }

int BuddyController::GetUnreadCount(const Ixa::Base::String& contactId) const
{
    const auto* count = unreadMessages_ != nullptr ? dynamic_cast<const Ixa::Base::Integer*>(unreadMessages_->GetValue(contactId)) : nullptr;
    return count != nullptr ? count->ToInt() : 0;
}

// The store already holds the announced message, and a rebuild between its storing and its
// announcement has counted it: counting it again here would count it twice.
void BuddyController::UpdateUnreadCount(const Ixa::Base::String& contactId)
{
    if (unreadMessages_ == nullptr) {
        unreadMessages_ = new HashMap;
        unreadMessages_->Construct(16, 0.75f);
    }
    const int count = IMManager::GetMessageModel()->GetNumUnreadMessagesWithUser(contactId);
    if (unreadMessages_->ContainsKey(contactId)) {
        unreadMessages_->SetValue(contactId, new Ixa::Base::Integer(count), true);
    } else {
        unreadMessages_->Add(new Ixa::Base::String(contactId), new Ixa::Base::Integer(count));
    }
}

MyExpandableList* BuddyController::GetList() const { return list_.get(); }
