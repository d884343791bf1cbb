// The buddy list ("BUDDY_SCREEN"): the header with sign-out and settings, a search bar over
// the list of the user's own profile and the roster groups with the send-message-to button
// beside it, and the footer with the friends and conversations tabs, the add button and
// back. A contact row shows the avatar, the presence icon, the name, the status message and
// the unread badge; a header row the fold picture, the group name and its online/total
// counts. The controller (`bc`) holds the data; the screen builds rows, popups and list
// updates for it and reacts to model updates, a batch at a time: however many changes a batch
// holds, each sender's unread count is read once, and the list is rebuilt at most once a frame
// (a change that finds the list rebuilt in this frame is shown at the next).
// Threading: user-interface thread. Ownership: the form owns its controls (the search list
// belongs to the search bar); the screen owns the context items that its rows borrow, the
// search list's provider; the popups are the base's; `bc` is the program's.
#pragma once

#include "app/FramePacer.h"
#include "app/IMScreen.h"
#include "screens/BuddySearchListProvider.h"

#include "store/Contact.h"
#include "store/Group.h"

#include "platform/CustomItem.h"
#include "platform/ListContextItem.h"
#include "platform/String.h"
#include "platform/Timer.h"

#include <memory>
#include <vector>

namespace Ixa::Ui::Controls {
class Button;
class ListView;
class SearchBar;
}  // namespace Ixa::Ui::Controls

class BuddyScreen : public IMScreen {
public:
    enum Element {
        ELEMENT_BACKGROUND = 1,
        ELEMENT_AVATAR = 2,
        ELEMENT_PRESENCE = 3,
        ELEMENT_NAME = 4,
        ELEMENT_NAME_MATCH = 5,
        ELEMENT_NAME_REST = 6,
        ELEMENT_STATUS = 7,
        ELEMENT_BADGE = 8,
        ELEMENT_BADGE_COUNT = 9,
        ELEMENT_FOLD = 10,
        ELEMENT_GROUP_NAME = 11,
    };
    static constexpr int ROW_HEIGHT = 100;

    BuddyScreen();
    ~BuddyScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    void willLossFocus() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;
    // A batch of model updates costs at most one drawing, and a rebuild only when the list had
    // none in this frame.
    void onModelUpdates(std::vector<ModelNotification>& batch) override;

    // The name a row shows for a contact: its nick name, else its user name.
    static Ixa::Base::String ShownName(const Contact& contact);

    // Rows; the caller (a list view) owns what they answer.
    ListItemBase* CreateGeneralContactItem(Contact* contact, int index, bool isSelf, bool searchMode);
    ListItemBase* CreateGeneralGroupItem(Group* group, bool expanded, bool isSelf);
    void AddContextItems(Ixa::Ui::Controls::CustomItem& item, const Contact& contact, bool isSelf, bool searchMode);

    // The one question popup of the screen (kinds of BuddyController::PopupKind).
    void createGenericBuddyPopUp(int kind, const Ixa::Base::String& text);
    void removeGenericBuddyPopupUp(bool redraw);

    // The list on view (the search list in search mode) asks for its rows again.
    void UpdateListView();
    void RefreshRow(int index);
    void ScrollToItemIndex(int index);
    Ixa::Base::String GetSearchBarTextandCount(int& count);
    void HideSearchKeypad();
    void ClearSearchBar();
    // Search mode hides the header and footer and shows the search list.
    void ShowSearchMode(bool on);
    // The rebuild that list-changing model updates ask for.
    void RefreshBuddyList();
    // How many such rebuilds the screen has made.
    int GetRebuildCount() const;

    // 1 while a row is held down (its context item is open), else 0.
    void setContactPressedAndHold(int hold);
    bool isBuddyListRefreshPending() const;
    bool isContactHeld() const;

    ListView* GetMainListView() const;
    ListView* GetSearchListView() const;
    // The search list in search mode, else the main list.
    ListView* VisibleListView() const;

private:
    void buildHeader();
    void buildFooter();
    void buildLists();
    void buildWriteButton();
    void buildContextItems();
    void addAvatar(Ixa::Ui::Controls::CustomItem& item, const Contact& contact, bool isSelf);
    void addName(Ixa::Ui::Controls::CustomItem& item, const Contact& contact, bool searchMode, const Ixa::Graphics::Rectangle& line);
    // True when the list was rebuilt now; otherwise the rebuild waits for the next frame or
    // for the held row's release.
    bool requestRebuild();
    void onRebuildFrame();
    void updateUnreadRows(const std::vector<Ixa::Base::String>& senders, bool rebuilt);
    void onContactImageUpdated(const Contact& contact);
    void redrawPresence();

    ListView* mainList_ = nullptr;
    ListView* searchList_ = nullptr;
    Ixa::Ui::Controls::SearchBar* searchBar_ = nullptr;
    Ixa::Ui::Controls::Button* writeButton_ = nullptr;
    BuddySearchListProvider searchProvider_;
    Ixa::Ui::Controls::ListContextItem selfContext_;
    Ixa::Ui::Controls::ListContextItem contactContext_;
    Ixa::Ui::Controls::ListContextItem unblockContext_;
    int contactPressedAndHold = 0;
    bool buddyListRefreshPending = false;
    int rebuilds_ = 0;
    FramePacer rebuildPacer_;
    Ixa::Base::Runtime::Timer startupChatTimer_;
};
