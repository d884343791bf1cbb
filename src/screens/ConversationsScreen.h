// The conversations list ("CONVERSATIONS_SCREEN"), the second tab beside the buddy list: the
// header with sign-out and settings, one row per user with stored messages (buddies or not),
// newest first, and the footer with the two tabs and, while there are conversations, the
// button to the delete screen. A row shows the avatar, the presence icon (the invisible one for
// a user who is not a buddy), the name, the local time and text of the last message and the
// unread badge. Showing the list clears the ongoing-activity notification, since every new
// message is listed here. Above the list, a search bar finds stored messages, of the current
// and the saved conversations (MessageSearchResults); while the search shows, header and
// footer give way to it. While older messages are still being indexed for the search, the
// screen's index timer indexes them a few hundred at a time. The controller
// (`conversationsController`) holds the data; the screen builds rows and popups for it and
// follows the message and contact stores.
// Threading: user-interface thread. Ownership: the form owns its controls; the screen owns the
// context items its rows borrow and the two timers; the popups are the base's; the search
// list's rows come from the controller's search results.
#pragma once

#include "app/IMScreen.h"

#include "platform/ListContextItem.h"
#include "platform/String.h"
#include "platform/Timer.h"

class Contact;
class Message;

namespace Ixa::Ui::Controls {
class SearchBar;
}

class ConversationsScreen : public IMScreen {
public:
    enum Element {
        ELEMENT_AVATAR = 2,
        ELEMENT_PRESENCE = 3,
        ELEMENT_NAME = 4,
        ELEMENT_TIME = 5,
        ELEMENT_LAST_MESSAGE = 6,
        ELEMENT_BADGE = 8,
        ELEMENT_BADGE_COUNT = 9,
    };
    // The popups of the screen besides the shared question (sign out, block, add).
    enum Popup { POPUP_SAVE_BEFORE_END = 20, POPUP_SAVED = 21 };
    static constexpr int ROW_HEIGHT = 100;

    ~ConversationsScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;
    using IMScreen::onModelUpdate;
    void onModelUpdate(void* data) override;

    // A row for the user; `contact` (stored, or null) and `last` are lent. The caller owns it.
    ListItemBase* CreateConversationItem(const Ixa::Base::String& user, const Contact* contact, const Message* last, int unread);
    // The rows are asked for again, and the delete button follows whether there are any.
    void UpdateListView();
    void RefreshRow(int row);

    void ShowQuestion(const Ixa::Base::String& text, int yesAction, int noAction);
    void ShowSaveBeforeEnding();
    // Shows the "saved" notice, which goes by itself after SAVED_NOTICE_MS.
    void ShowSavedNotice();
    void ClosePopup(int kind);

    // Search mode hides header, footer and the conversations, and shows the search list.
    void ShowSearchMode(bool on);
    void UpdateSearchList();
    Ixa::Base::String GetSearchText() const;
    void HideSearchKeypad();
    // Empties the search bar and leaves its input mode.
    void ClearSearchBar();
    bool IsSearchList(const ListView& list) const;
    bool IsIndexTimer(const Ixa::Base::Runtime::Timer& timer) const;
    // Indexing goes on while older messages are left (the timer fires again).
    void ContinueIndexing();

private:
    void buildHeader();
    void buildFooter();
    void buildList();
    void buildSearch();
    void buildContextItems();
    void showDeleteButton(bool show);
    const Ixa::Ui::Controls::ListContextItem& contextFor(bool isBuddy, bool isBlocked) const;

    ListView* list_ = nullptr;
    ListView* searchList_ = nullptr;
    Ixa::Ui::Controls::SearchBar* searchBar_ = nullptr;
    bool deleteButtonShown_ = false;
    // By buddy or not, then blocked or not.
    Ixa::Ui::Controls::ListContextItem contexts_[2][2];
    Ixa::Base::Runtime::Timer savedTimer_;
    Ixa::Base::Runtime::Timer indexTimer_;
};
