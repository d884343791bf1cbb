#include "screens/ConversationsController.h"

#include "app/IMManager.h"
#include "engine/RosterGroups.h"
#include "engine/UserId.h"
#include "screens/ChatController.h"
#include "screens/ConversationsScreen.h"
#include "screens/MessageToShow.h"
#include "screens/RestoreChatController.h"
#include "screens/RestoreController.h"
#include "screens/SettingsController.h"
#include "screens/StringList.h"

#include "store/ContactModel.h"
#include "store/Group.h"
#include "store/GroupModel.h"
#include "store/Message.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"
#include "store/SavedMessagesModel.h"

#include "platform/ArrayList.h"
#include "platform/SystemTime.h"

ConversationsController conversationsController;

int ConversationsController::index_AddBuddy = -1;

ConversationsController::ConversationsController() = default;

ConversationsController::~ConversationsController() = default;

std::vector<Ixa::Base::String> ConversationsController::ReadUserIds()
{
    return StringList::Take(IMManager::GetMessageModel()->GetAllUserIds());
}

void ConversationsController::LoadUsersWithConversation() { userIds_ = ReadUserIds(); }

void ConversationsController::UnloadUsersWithConversation() { userIds_.clear(); }

void ConversationsController::UpateNewConversation(const Message*, IMView* view)
{
    LoadUsersWithConversation();
    if (auto* screen = dynamic_cast<ConversationsScreen*>(view)) {
        screen->UpdateListView();
    }
}

int ConversationsController::GetConversationIndexForUser(const Ixa::Base::String& user) const
{
    const Ixa::Base::String wanted = user.ToLower();
    for (size_t row = 0; row < userIds_.size(); ++row) {
        if (userIds_[row].ToLower() == wanted) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int ConversationsController::GetConversationCount() const { return static_cast<int>(userIds_.size()); }

Ixa::Base::String ConversationsController::GetUserId(int row) const
{
    return row >= 0 && row < GetConversationCount() ? userIds_[static_cast<size_t>(row)] : Ixa::Base::String();
}

void ConversationsController::SetSelectedIndex(int row) { selectedIndex_ = row; }

int ConversationsController::GetSelectedIndex() const { return selectedIndex_; }

Contact* ConversationsController::GetSelectedContact() const { return selectedContact_.get(); }

int ConversationsController::processGetItemCount(IMView*) { return GetConversationCount(); }

IMController::ListItemBase* ConversationsController::processCreateItem(int index, int, IMView* view)
{
    auto* screen = dynamic_cast<ConversationsScreen*>(view);
    const Ixa::Base::String user = GetUserId(index);
    if (screen == nullptr || user.IsEmpty()) {
        return nullptr;
    }
    MessageModel* messages = IMManager::GetMessageModel();
    std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(user));
    std::unique_ptr<Message> last(messages->GetLastMessageWithUser(user));
    return screen->CreateConversationItem(user, contact.get(), last.get(), messages->GetNumUnreadMessagesWithUser(user));
}

bool ConversationsController::processDeleteItem(int, ListItemBase* item, int, IMView*)
{
    delete item;
    return true;
}

void ConversationsController::processListViewItemStateChanged(ListView& list, int index, int, ListItemStatus, IMView* view)
{
    auto* screen = dynamic_cast<ConversationsScreen*>(view);
    if (screen != nullptr && screen->IsSearchList(list)) {
        openHit(index, *screen);
    } else {
        openChat(index);
    }
}

// A saved copy opens as the saved conversations open it; a message, as its row in the list.
// The search is over then: coming back shows the conversations.
void ConversationsController::openHit(int row, ConversationsScreen& screen)
{
    const Message* hit = searchResults_.GetHit(row);
    if (hit == nullptr) {
        return;
    }
    const bool saved = hit->IsSaved();
    const Ixa::Base::String user = hit->GetOtherUserId();
    const Ixa::Base::String key = hit->GetUserid_TimeStamp();
    MessageToShow::Set(hit->GetMessageId());
    leaveSearch(screen);
    if (saved) {
        RestoreController::SetSelectedConversation(key);
        RestoreController::isRestoreChatScreen = true;
        RestoreChatController::SetOpenedFromSearch(true);
        IMManager::notifyEvent(EVENT_SHOW_RESTORE_CHAT);
        return;
    }
    openChatWith(user);
}

void ConversationsController::leaveSearch(ConversationsScreen& screen)
{
    searchMode_ = false;
    searchResults_.Clear();
    screen.ClearSearchBar();
    screen.ShowSearchMode(false);
}

void ConversationsController::openChat(int row)
{
    if (!selectRow(row)) {
        return;
    }
    openChatWith(GetUserId(row));
}

void ConversationsController::openChatWith(const Ixa::Base::String& user)
{
    std::unique_ptr<Contact> contact(ContactFor(user));
    handedContact_.reset(contact != nullptr ? IMManager::GetContactModel()->CreateContact(contact.get()) : nullptr);
    if (handedContact_ != nullptr) {
        ChatController::isBuddyList = 1;
        IMManager::notifyEvent(EVENT_SHOW_CHAT, static_cast<void*>(handedContact_.get()));
    }
}

bool ConversationsController::selectRow(int row)
{
    const Ixa::Base::String user = GetUserId(row);
    if (user.IsEmpty()) {
        return false;
    }
    selectedContact_.reset(ContactFor(user));
    selectedIndex_ = selectedContact_ != nullptr ? row : -1;
    return selectedContact_ != nullptr;
}

Contact* ConversationsController::ContactFor(const Ixa::Base::String& user)
{
    ContactModel* contacts = IMManager::GetContactModel();
    Contact* contact = contacts->GetContactById(user);
    if (contact != nullptr) {
        return contact;
    }
    contact = contacts->CreateContact();
    if (contact == nullptr) {
        return nullptr;
    }
    contact->SetContactId(IMString(user));
    contact->SetNickName(IMString(user));
    contact->SetOnBuddyList(false);
    contacts->SaveOrUpdate(contact);
    return contact;
}

void ConversationsController::processListViewContextItemStateChanged(ListView&, int index, int elementId, ListContextItemStatus, IMView* view)
{
    auto* screen = dynamic_cast<ConversationsScreen*>(view);
    if (screen != nullptr && selectRow(index)) {
        onContextItem(index, elementId, *screen);
    }
}

void ConversationsController::onContextItem(int row, int elementId, ConversationsScreen& screen)
{
    switch (elementId) {
    case CONTEXT_END:
        screen.ShowSaveBeforeEnding();
        break;
    case CONTEXT_SAVE:
        if (SaveConversation(row, true)) {
            screen.ShowSavedNotice();
        }
        break;
    case CONTEXT_BLOCK:
        askAboutBlocking(screen);
        break;
    case CONTEXT_ADD_BUDDY:
        askAboutAdding(row, screen);
        break;
    default:
        break;
    }
}

void ConversationsController::askAboutBlocking(ConversationsScreen& screen)
{
    const char* textId = selectedContact_->GetIsBlocked() ? "IDS_UNBLOCK_CONTACT_CONFIRMATION_POPUP" : "IDS_BLOCK_CONTACT_CONFIRMATION_POPUP";
    const Ixa::Base::String name = ShownName(selectedContact_.get(), GetUserId(selectedIndex_));
    screen.ShowQuestion(IMManager::GetFormatString(IMManager::GetStringFromResource(textId), name), ACTION_BLOCK_YES, ACTION_BLOCK_NO);
}

// The contact gets the default group and its id as user name now, so the add request files
// the user the way the add-contact screen files a typed address.
void ConversationsController::askAboutAdding(int row, ConversationsScreen& screen)
{
    index_AddBuddy = row;
    const Ixa::Base::String user = GetUserId(row);
    selectedContact_->SetGroupName(IMString(RosterGroups::DEFAULT_GROUP));
    selectedContact_->SetUserName(IMString(user));
    IMManager::GetContactModel()->SaveOrUpdate(selectedContact_.get());
    const Ixa::Base::String question = IMManager::GetStringFromResource("IDS_IM_POP_ADD_PS_TO_YOUR_BUDDIES_Q");
    screen.ShowQuestion(IMManager::GetFormatString(question, user), ACTION_ADD_YES, ACTION_ADD_NO);
}

void ConversationsController::processAction(const Control&, int actionId, IMView* view)
{
    auto* screen = dynamic_cast<ConversationsScreen*>(view);
    if (screen == nullptr || answerPopup(actionId, *screen)) {
        return;
    }
    switch (actionId) {
    case ACTION_BUDDY_LIST:
        IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST);
        break;
    case ACTION_SIGN_OUT:
        screen->ShowQuestion(IMManager::GetStringFromResource("IDS_SIGNOUT_CONFIRMATION_POPUP"), ACTION_SIGN_OUT_YES, ACTION_SIGN_OUT_NO);
        break;
    case ACTION_SETTINGS:
        SettingsController::Open(SettingsController::FROM_CONVERSATIONS);
        break;
    case ACTION_DELETE_SCREEN:
        IMManager::notifyEvent(EVENT_SHOW_DELETE_CONVERSATIONS);
        break;
    default:
        break;
    }
}

bool ConversationsController::answerPopup(int actionId, ConversationsScreen& screen)
{
    switch (actionId) {
    case ACTION_SAVE_AND_END:
    case ACTION_END_WITHOUT_SAVING:
        endConversation(actionId == ACTION_SAVE_AND_END, screen);
        return true;
    case ACTION_END_CANCEL:
        screen.ClosePopup(ConversationsScreen::POPUP_SAVE_BEFORE_END);
        return true;
    case ACTION_SIGN_OUT_YES:
        screen.ClosePopup(IMScreen::POPUP_SCREEN_QUESTION);
        SignOut();
        return true;
    case ACTION_BLOCK_YES:
        screen.ClosePopup(IMScreen::POPUP_SCREEN_QUESTION);
        BlockOrUnBlockContact(selectedIndex_);
        screen.RefreshRow(selectedIndex_);
        return true;
    case ACTION_ADD_YES:
        screen.ClosePopup(IMScreen::POPUP_SCREEN_QUESTION);
        addbuddy();
        return true;
    case ACTION_SIGN_OUT_NO:
    case ACTION_BLOCK_NO:
    case ACTION_ADD_NO:
        screen.ClosePopup(IMScreen::POPUP_SCREEN_QUESTION);
        return true;
    default:
        return false;
    }
}

void ConversationsController::endConversation(bool save, ConversationsScreen& screen)
{
    screen.ClosePopup(ConversationsScreen::POPUP_SAVE_BEFORE_END);
    if (save) {
        SaveConversation(selectedIndex_, true);
    }
    DeleteConversationFromDB(selectedIndex_);
    LoadUsersWithConversation();
    screen.UpdateListView();
}

bool ConversationsController::SaveConversation(int row, bool keepUnread)
{
    const Ixa::Base::String user = GetUserId(row);
    if (user.IsEmpty()) {
        return false;
    }
    Ixa::Base::DateTime now;
    Ixa::System::SystemTime::GetCurrentTime(Ixa::System::UTC_TIME, now);
    Ixa::Base::Collection::ArrayList* messages = IMManager::GetMessageModel()->GetAllMessagesWithUser(user, keepUnread);
    return IMManager::GetSavedMessagesModel()->SaveAllMessagesWithUser(messages, SaveKey(user, now));
}

Ixa::Base::String ConversationsController::SaveKey(const Ixa::Base::String& user, const Ixa::Base::DateTime& now)
{
    Ixa::Base::String key(UserId::localPart(IMString(user)));
    key.Append('_');
    key.Append(now.ToString());
    return key;
}

void ConversationsController::DeleteConversationFromDB(int row)
{
    const Ixa::Base::String user = GetUserId(row);
    if (!user.IsEmpty()) {
        IMManager::GetMessageModel()->DeleteChatsWithUser(user);
    }
}

// The contact id is the complete address, which the request sends as it is.
void ConversationsController::BlockOrUnBlockContact(int row)
{
    RequestController* requests = IMManager::GetRequestController();
    if (requests == nullptr || selectedContact_ == nullptr || row != selectedIndex_) {
        return;
    }
    IMString user(selectedContact_->GetContactId());
    if (selectedContact_->GetIsBlocked()) {
        requests->RemoveFromIgnoreList(&user);
    } else {
        requests->AddToIgnoreList(new IMString(user));
    }
}

void ConversationsController::addbuddy()
{
    const Ixa::Base::String user = GetUserId(index_AddBuddy);
    RequestController* requests = IMManager::GetRequestController();
    index_AddBuddy = -1;
    if (requests == nullptr || user.IsEmpty()) {
        return;
    }
    GroupModel* groups = IMManager::GetGroupModel();
    std::unique_ptr<Group> group(groups->FindByGroupId(IMString(RosterGroups::DEFAULT_GROUP).ToLower()));
    if (group == nullptr) {
        group.reset(groups->CreateGroup());
        group->SetGroupName(IMString(RosterGroups::DEFAULT_GROUP));
        group->SetGroupId(IMString(RosterGroups::DEFAULT_GROUP).ToLower());
    }
    IMString address(user);
    IMString empty;
    requests->CreateContactInExistingGroup(group.get(), &address, &empty, &empty);
}

void ConversationsController::SignOut()
{
    IMManager::GetPropertiesModel()->SetAvailableState(true);
    if (RequestController* requests = IMManager::GetRequestController()) {
        requests->SignOut();
    }
}

Ixa::Base::String ConversationsController::ShownName(const Contact* contact, const Ixa::Base::String& user)
{
    if (contact != nullptr && !contact->GetNickName().IsEmpty()) {
        return contact->GetNickName();
    }
    return contact != nullptr && !contact->GetUserName().IsEmpty() ? contact->GetUserName() : user;
}

void ConversationsController::processOrientation(const Control&, Ixa::Ui::OrientationStatus, IMView*) {}

void ConversationsController::processFormBackRequested(Ixa::Ui::Controls::Form&, IMView*) { IMManager::notifyEvent(EVENT_SHOW_BUDDY_LIST); }

void ConversationsController::processTimerExpired(Ixa::Base::Runtime::Timer& timer, IMView* view)
{
    auto* screen = dynamic_cast<ConversationsScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    if (screen->IsIndexTimer(timer)) {
        indexStep(*screen);
    } else {
        screen->ClosePopup(ConversationsScreen::POPUP_SAVED);
    }
}

// The search shows how far the indexing has got whenever the percentage moves on, and once
// it is complete searches again, so what was missing shows up.
void ConversationsController::indexStep(ConversationsScreen& screen)
{
    const double done = IMManager::GetMessageModel()->IndexSearchStep(INDEXING_STEP_ROWS);
    const int percent = done < 0 ? searchResults_.GetIndexedPercent() : static_cast<int>(done * 100);
    if (percent != searchResults_.GetIndexedPercent()) {
        searchResults_.SetIndexedPercent(percent);
        if (searchMode_) {
            search(screen);
        }
    }
    if (percent < 100) {
        screen.ContinueIndexing();
    }
}

void ConversationsController::processSearchBarModeChanged(Ixa::Ui::Controls::SearchBar&, Ixa::Ui::Controls::SearchBarMode mode,
    IMView* view)
{
    auto* screen = dynamic_cast<ConversationsScreen*>(view);
    if (screen == nullptr) {
        return;
    }
    if (mode != Ixa::Ui::Controls::SEARCH_BAR_MODE_INPUT) {
        leaveSearch(*screen);
        return;
    }
    searchMode_ = true;
    searchResults_.Clear();
    screen->ShowSearchMode(true);
}

void ConversationsController::OnTextValueChanged(const Control&, IMView* view)
{
    auto* screen = dynamic_cast<ConversationsScreen*>(view);
    if (screen != nullptr && searchMode_) {
        search(*screen);
    }
}

// The search indexes what was stored since the last step; when more waits than one step
// takes (a burst just received), the steps go on and the search says so until they are done.
void ConversationsController::search(ConversationsScreen& screen)
{
    searchResults_.Search(screen.GetSearchText());
    const double indexed = IMManager::GetMessageModel()->SearchIndexShare();
    if (indexed >= 0) {
        searchResults_.SetIndexedPercent(static_cast<int>(indexed * 100));
        screen.ContinueIndexing();
    }
    screen.UpdateSearchList();
}

void ConversationsController::processKeypadActionPerformed(Control&, Ixa::Ui::KeypadAction, IMView* view)
{
    if (auto* screen = dynamic_cast<ConversationsScreen*>(view)) {
        screen->HideSearchKeypad();
    }
}

MessageSearchResults& ConversationsController::GetSearchResults() { return searchResults_; }

bool ConversationsController::IsSearchMode() const { return searchMode_; }

void ConversationsController::Cleanup()
{
    userIds_.clear();
    selectedIndex_ = -1;
    selectedContact_.reset();
    handedContact_.reset();
    index_AddBuddy = -1;
    searchResults_.Clear();
    searchMode_ = false;
}
