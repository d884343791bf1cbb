// The controller of the conversations list, one for the whole run (`conversationsController`).
// It keeps the ids of everyone with stored messages, newest conversation first, answers the
// list's questions about rows, and turns taps, context items, header and footer buttons and
// popup answers into screen changes, store changes and requests: a tap opens the chat; a row's
// context items end the conversation (saving it first when the user says so), save it, block
// or unblock the user, and add a user who is not a buddy. A user with messages but no stored
// contact gets a non-buddy contact under the user id before anything is done with the row.
// Threading: user-interface thread. Ownership: owns the id list, the selected contact and the
// contact handed to the chat, and the search results; borrows the screen it is called with
// and the stores. The search bar's text is searched as it changes; a tapped result opens its
// chat, or its saved conversation, at the message.
#pragma once

#include "app/IMController.h"
#include "screens/MessageSearchResults.h"

#include "store/Contact.h"

#include "platform/DateTime.h"
#include "platform/String.h"

#include <memory>
#include <vector>

class ConversationsScreen;
class Message;

class ConversationsController : public IMController {
public:
    enum Action {
        ACTION_BUDDY_LIST = 100,
        ACTION_CONVERSATIONS = 101,
        ACTION_SIGN_OUT = 103,
        ACTION_SETTINGS = 104,
        CONTEXT_END = 111,
        CONTEXT_SAVE = 112,
        CONTEXT_BLOCK = 113,
        ACTION_SAVE_AND_END = 116,
        ACTION_END_WITHOUT_SAVING = 117,
        ACTION_END_CANCEL = 118,
        ACTION_SIGN_OUT_YES = 119,
        ACTION_SIGN_OUT_NO = 120,
        ACTION_BLOCK_YES = 123,
        ACTION_BLOCK_NO = 124,
        CONTEXT_ADD_BUDDY = 125,
        ACTION_ADD_YES = 126,
        ACTION_ADD_NO = 127,
        ACTION_DELETE_SCREEN = 128,
    };
    // How long the "saved" notice stays.
    static constexpr int SAVED_NOTICE_MS = 1000;
    // How many older messages one step of indexing takes (a few milliseconds' work).
    static constexpr int INDEXING_STEP_ROWS = 250;

    ConversationsController();
    ~ConversationsController() override;

    // The ids of everyone with stored messages, newest conversation first.
    static std::vector<Ixa::Base::String> ReadUserIds();
    // Takes the ids afresh from the message store.
    void LoadUsersWithConversation();
    void UnloadUsersWithConversation();
    // A message was stored or changed: the id list is read again and the list redrawn.
    void UpateNewConversation(const Message* message, IMView* view);
    // The row of the user's conversation, or -1.
    int GetConversationIndexForUser(const Ixa::Base::String& user) const;
    int GetConversationCount() const;
    // The user id of a row; empty out of range.
    Ixa::Base::String GetUserId(int row) const;

    void SetSelectedIndex(int row);
    int GetSelectedIndex() const;
    // The contact of the selected row (lent), or null.
    Contact* GetSelectedContact() const;

    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    void processListViewContextItemStateChanged(ListView& list, int index, int elementId, ListContextItemStatus status, IMView* view) override;
    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    // The "saved" notice has been shown long enough, or the next step of indexing is due.
    void processTimerExpired(Ixa::Base::Runtime::Timer& timer, IMView* view) override;
    void processSearchBarModeChanged(Ixa::Ui::Controls::SearchBar& source, Ixa::Ui::Controls::SearchBarMode mode,
        IMView* view) override;
    void OnTextValueChanged(const Control& source, IMView* view) override;
    void processKeypadActionPerformed(Control& source, Ixa::Ui::KeypadAction action, IMView* view) override;

    MessageSearchResults& GetSearchResults();
    bool IsSearchMode() const;

    // Copies the row's conversation, left unread, to the saved conversations; true when stored.
    bool SaveConversation(int row, bool keepUnread);
    // Deletes the row's messages; the row goes with the next reading of the list.
    void DeleteConversationFromDB(int row);
    // Asks the server to block the row's user, or to unblock a blocked one.
    void BlockOrUnBlockContact(int row);
    // Asks the server to file the user of row index_AddBuddy into the default group.
    void addbuddy();
    void SignOut();
    // Forgets everything the controller holds (the screen is going).
    void Cleanup();

    // The stored contact of `user`, or a new one stored as a non-buddy with the user id as
    // contact id and nick name; the caller owns it. Null when the store fails.
    static Contact* ContactFor(const Ixa::Base::String& user);
    // The key a conversation with `user` is saved under at `now`: the id up to its at sign
    // (all of it without one), "_", and the time as the stores write it.
    static Ixa::Base::String SaveKey(const Ixa::Base::String& user, const Ixa::Base::DateTime& now);
    // The name a row shows for a user: the contact's nick name, else its user name, else the id.
    static Ixa::Base::String ShownName(const Contact* contact, const Ixa::Base::String& user);

    // The row whose user is being added as a buddy, or -1.
    static int index_AddBuddy;

private:
    // Resolves the row's user to a contact (made if needed) and selects it; false when out of range.
    bool selectRow(int row);
    void openChat(int row);
    void openChatWith(const Ixa::Base::String& user);
    void openHit(int row, ConversationsScreen& screen);
    void leaveSearch(ConversationsScreen& screen);
    void search(ConversationsScreen& screen);
    void indexStep(ConversationsScreen& screen);
    void onContextItem(int row, int elementId, ConversationsScreen& screen);
    void askAboutBlocking(ConversationsScreen& screen);
    void askAboutAdding(int row, ConversationsScreen& screen);
    // The answers of the screen's popups; false for any other action.
    bool answerPopup(int actionId, ConversationsScreen& screen);
    void endConversation(bool save, ConversationsScreen& screen);

    std::vector<Ixa::Base::String> userIds_;
    int selectedIndex_ = -1;
    std::unique_ptr<Contact> selectedContact_;
    // The contact a chat was opened with (a transition's data stays with the poster).
    std::unique_ptr<Contact> handedContact_;
    MessageSearchResults searchResults_;
    bool searchMode_ = false;
};

extern ConversationsController conversationsController;
