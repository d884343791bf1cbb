// The controller of the buddy list, one for the whole run (`bc`). It builds the row model
// (the own-profile header and row, then every roster group with its contacts sorted by
// presence), keeps the unread-message counts, answers the list views' questions about rows,
// and turns taps, context items, header and footer buttons, popup answers and search-bar
// typing into screen changes and requests to the request controller.
// A search reads the contacts it can find once, when the search starts (and again when the
// stores change); each keystroke only filters them.
// Threading: user-interface thread. Ownership: the controller owns its row model, the search
// pool and results, the unread-message map, the selected contact and the contact handed to the chat;
// it borrows the screen it is called with and the stores.
#pragma once

#include "app/AppEvents.h"
#include "app/IMController.h"
#include "screens/MyExpandableList.h"

#include "store/Contact.h"

#include "platform/ArrayList.h"
#include "platform/HashMap.h"
#include "platform/String.h"

#include <memory>
#include <string>
#include <vector>

class BuddyScreen;

class BuddyController : public IMController {
public:
    enum Action {
        ACTION_SIGN_OUT = 170,
        ACTION_SETTINGS = 171,
        ACTION_ADD = 900,
        ACTION_FRIENDS = 901,
        ACTION_CONVERSATIONS = 902,
        ACTION_SEND_IM = 903,
        ACTION_DELETE_YES = 550,
        ACTION_DELETE_NO = 551,
        ACTION_BLOCK_YES = 552,
        ACTION_BLOCK_NO = 553,
        ACTION_SIGN_OUT_YES = 554,
        ACTION_SIGN_OUT_NO = 555,
        ACTION_EXIT_YES = 556,
        ACTION_EXIT_NO = 557,
        ACTION_UNBLOCK_YES = 558,
        ACTION_UNBLOCK_NO = 559,
    };
    enum ContextAction { CONTEXT_VIEW_DETAIL = 202, CONTEXT_DELETE = 203, CONTEXT_BLOCK = 204, CONTEXT_UNBLOCK = 206 };
    enum PopupKind { POPUP_EXIT = 3, POPUP_BLOCK = 9, POPUP_UNBLOCK = 10, POPUP_DELETE = 11, POPUP_SIGN_OUT = 12 };

    BuddyController();
    ~BuddyController() override;

    // Rebuilds the row model from the stores; `createList` starts from a new row model.
    void InitializeContacts(bool createList);
    void clearContactList();
    // The contacts whose user name or display name holds `text`, offline ones included, read
    // afresh from the store (the stores changed).
    void ReloadSearchList(const Ixa::Base::String& text, int length);
    // The same over the contacts the search read last: a keystroke reads nothing, it filters.
    void FilterSearchList(const Ixa::Base::String& text, int length);
    // Takes the own name, status message and presence again into the own-profile row.
    void updateSelfInfo();
    // The row of the contact in the visible list, or -1.
    int updateContactInfo(const Ixa::Base::String& contactId);
    // The contact shown at a row of the visible list (lent), or null.
    Contact* GetContactByIndex(int index);
    ListItemBase* createItemForBuddy(int index, BuddyScreen* screen);
    ListItemBase* createItemForBuddySearchMode(int index, BuddyScreen* screen);
    ListItemBase* createGroupItemForSelf(BuddyScreen* screen);

    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    int GetSearchResultCount() const;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    void processListViewContextItemStateChanged(ListView& list, int index, int elementId, ListContextItemStatus status, IMView* view) override;
    void processTouchLongPressed(const Control& source, const Point& at, const TouchInfo& info, IMView* view) override;
    void processTouchPressed(const Control& source, const Point& at, const TouchInfo& info, IMView* view) override;
    void processTouchMoved(const Control& source, const Point& at, const TouchInfo& info, IMView* view) override;
    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processSearchBarModeChanged(Ixa::Ui::Controls::SearchBar& source, Ixa::Ui::Controls::SearchBarMode mode, IMView* view) override;
    void OnTextValueChanged(const Control& source, IMView* view) override;
    void processKeypadActionPerformed(Control& source, Ixa::Ui::KeypadAction action, IMView* view) override;
    // The buddy list has been shown long enough for the chat the program was started to open.
    void processTimerExpired(Ixa::Base::Runtime::Timer& timer, IMView* view) override;

    void RefreshContactList();
    // Opens the chat the program was started to open (StartupChat) once its contact is
    // listed and no refresh waits for the list.
    void OpenStartupChat(BuddyScreen& screen);
    void DeleteContact();
    void BlockContact();
    void UnBlockContact();
    static void SignOut();
    // Forgets everything the controller holds (the screen is going).
    void Cleanup();
    // The hold on a row ends: the refresh that waited for it runs now.
    void releaseHold(BuddyScreen& screen);

    // Takes `contact`, deleting the one selected before; null drops it.
    void SetSelectedContact(Contact* contact);
    Contact* GetSelectedContact() const;
    bool IsSearchMode() const;
    // Unread messages from the contact, 0 when none.
    int GetUnreadCount(const Ixa::Base::String& contactId) const;
    // Takes the contact's count of unread messages from the message store.
    void UpdateUnreadCount(const Ixa::Base::String& contactId);
    // Lent; null before the first build.
    MyExpandableList* GetList() const;

    static bool isShowOfflineContacts;

private:
    void addSelfHeader();
    void addGroupHeaders();
    void replaceUnreadMessages();
    void toggleGroup(int index, GroupListItem& header, BuddyScreen& screen);
    void openChat(const Contact& contact, BuddyScreen& screen);
    void showSelfInfo();
    void askAbout(int kind, const char* textId, const Contact* contact, BuddyScreen& screen);
    // The answers of the generic popup; false for any other action.
    bool answerPopup(int actionId, BuddyScreen& screen);
    void enterSearch(BuddyScreen& screen);
    void leaveSearch(BuddyScreen& screen);
    void search(BuddyScreen& screen);

    // The entry shown at a row of the visible list: a header or a contact row.
    Ixa::Base::Object* visibleEntry(int index) const;
    bool isSelfHeader(const GroupListItem& header) const;
    bool isSelfRow(const ContactItem& row) const;
    // Takes `map` (null allowed) in place of the unread-message map.
    void replaceUnreadMap(Ixa::Base::Collection::HashMap* map);
    // Reads every contact a search can find, in the order results are shown.
    void loadSearchPool();
    void clearSearch();
    // Posts a transition with a copy of `contact` that stays here until the next one.
    void postWithContact(EVENT_T event, const Contact& contact);

    std::unique_ptr<MyExpandableList> list_;
    Ixa::Base::String selfDisplayName_;
    bool searchMode_ = false;
    // Search mode with some text typed: the search list shows the results.
    bool searchActive_ = false;
    // What a search can find, with its names case-folded once; the results point into it.
    struct SearchEntry {
        std::unique_ptr<Contact> contact;
        std::u16string userName;
        std::u16string shownName;
    };
    std::vector<SearchEntry> searchPool_;
    std::vector<Contact*> searchResults_;
    // Contact id (String) to unread count (Integer); keys and values belong to the map.
    Ixa::Base::Collection::HashMap* unreadMessages_ = nullptr;
    std::unique_ptr<Contact> selectedContact_;
    // The contact a chat or the contact details were opened with (a transition's data stays
    // with the poster); it stays until the next one.
    std::unique_ptr<Contact> handedContact_;
    // Where the finger last went down on a list, in the list's coordinates.
    Point pressedAt_;
};

extern BuddyController bc;
