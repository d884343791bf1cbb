// The controller of the chat screen. It keeps the conversation's messages (the list's rows,
// in order), sends a new message (one copy to the request controller, one stored and shown
// as "sending"), resends a failed one, runs the "more" menu and the emoticon picker, and
// opens links found in messages.
//
// The picker shows the picker emoticons in an icon grid; tapped icons collect their codes,
// which Insert appends to the input.
// Threading: user-interface thread. Ownership: owned by the chat screen; owns the messages it
// lists, its popups and the picker's pictures; borrows the screen it is handed.
#pragma once

#include "app/IMController.h"
#include "app/PopupKeeper.h"
#include "emoticons/EmotIconImage.h"
#include "store/Message.h"

#include "platform/IIconListViewItemEventListener.h"
#include "platform/IIconListViewItemProvider.h"
#include "platform/Popup.h"

#include <memory>
#include <utility>
#include <vector>

class ChatScreen;
class Contact;

class ChatController : public IMController,
                       public Ixa::Ui::Controls::IIconListViewItemProvider,
                       public Ixa::Ui::Controls::IIconListViewItemEventListener {
public:
    enum Action {
        ACTION_BACK = 102,
        ACTION_SETTINGS = 103,
        ACTION_MORE = 701,
        ACTION_SEND = 702,
        ACTION_MORE_QUICK_TEXT = 801,
        ACTION_MORE_EMOTICONS = 802,
        ACTION_EMOTICON_INSERT = 803,
        ACTION_EMOTICON_CANCEL = 804,
        ACTION_MORE_CANCEL = 805,
        ACTION_KEYPAD_DONE = 20000,
        ACTION_KEYPAD_CANCEL = 20001,
    };
    enum PopupKind { POPUP_MORE = 1, POPUP_EMOTICONS = 2 };
    // The kind of a listed row that is no stored message: a went-offline or came-online
    // notice. Stored messages keep their Message::TYPE_ kinds, which this value is not.
    static constexpr int NOTICE = 5;

    ChatController();
    ~ChatController() override;

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;
    void processOnLinkClicked(Control& source, const Ixa::Base::String& text, Ixa::Graphics::LinkType type,
        const Ixa::Base::String& link, IMView* view) override;
    void processKeypadWillOpen(Control& source, IMView* view) override;
    void processKeypadOpened(Control& source, IMView* view) override;
    void processKeypadClosed(Control& source, IMView* view) override;
    void processOverlayControlOpened(const Control& source, IMView* view) override;
    void processOverlayControlClosed(const Control& source, IMView* view) override;
    void OnTextValueChanged(const Control& source, IMView* view) override;

    int GetItemCount() override;
    Ixa::Ui::Controls::IconListViewItem* CreateItem(int index) override;
    bool DeleteItem(int index, Ixa::Ui::Controls::IconListViewItem* item) override;
    void OnIconListViewItemStateChanged(Ixa::Ui::Controls::IconListView& view, int index,
        Ixa::Ui::Controls::IconListViewItemStatus status) override;

    void SendMessageToServer(IMView* view);
    void MorePopupListItemChange(int actionId);
    void CreateGTalkMappingEmoticons();
    void CreateMorePopupPortrait();
    void CreateEmotIconListPortrait();
    void CloseMorePopup();
    void CloseEmoticonPopup();
    bool HasMorePopup() const { return popups_.Has(POPUP_MORE); }
    bool HasEmoticonPopup() const { return popups_.Has(POPUP_EMOTICONS); }

    // Takes the message; it becomes the last row.
    void AddMessageToArrayList(Message* message);
    void ClearMessageArrayList();
    // Reading the conversation lists and marks read messages whose announcements may still
    // be on their way. True (once per message read so) when `message` is one of them, by text
    // and time, so it is not listed twice.
    bool TakeLoadedUnread(const Message& message);
    // A conversation with another contact is opened.
    void ForgetLoadedUnread();
    // The row of the message with that message id, or -1.
    int GetMessageIndexFromArrayList(const Message* message) const;
    int GetMessageCount() const { return static_cast<int>(messages_.size()); }
    const std::vector<std::unique_ptr<Message>>& GetMessages() const { return messages_; }
    Message* GetMessageAt(int index) const;
    // A sent or failed message of the open conversation: its row takes the new state. The
    // row index, or -1 when the message is not listed.
    int UpdateMessageState(const Message& message);
    // Moves a failed row to the end as "sending" with the current time, stores it and sends
    // it again; the row it now has, or -1.
    int ResendMessage(int row);

    const std::vector<Ixa::Base::String>& GetSelectedEmotStrings() const { return selectedEmoticons_; }
    void SetSelectedEmotStrings(std::vector<Ixa::Base::String> codes) { selectedEmoticons_ = std::move(codes); }
    int GetCountEmotIconSelected() const { return static_cast<int>(selectedEmoticons_.size()); }
    void DecreaseCountEmotIconSelected();

    bool IsQuickTextModeOn() const { return quickTextMode_; }
    void SetQuickTextModeOn(bool on) { quickTextMode_ = on; }
    bool IsEmoticonModeOn() const { return emoticonMode_; }
    bool IsOverlayOn() const { return overlay_; }
    void SetOverlayOn(bool on) { overlay_ = on; }

    // Set to 0 by the buddy list before it opens a chat.
    static int isBuddyList;
    static int currPageNo;
    static int totalPageNo;

    // Hands a tapped link to the application that opens its kind (browser, mail, phone).
    static void OpenLink(Ixa::Graphics::LinkType type, const Ixa::Base::String& link);
    // A new message of the store's making with the fields of `source`, id included.
    static Message* CopyOf(const Message& source);

private:
    static ChatScreen* screenOf(IMView* view);
    static void relayout(IMView* view);
    // Blocked or deleted contacts get their popup instead of the message; true when refused.
    static bool refuseSending(ChatScreen& screen, const Contact& contact);
    void loadConversation(ChatScreen& screen);
    std::unique_ptr<Ixa::Ui::Controls::Popup> titledPopup(const char* titleId, int height);
    void insertSelectedEmoticons();

    std::vector<std::unique_ptr<Message>> messages_;
    PopupKeeper popups_;
    // Text and time of each message that a reading of the conversation found unread.
    std::vector<std::pair<Ixa::Base::String, Ixa::Base::DateTime>> readByLoading_;
    std::vector<std::pair<Ixa::Base::String, EmotIconImage>> emoticonMap_;
    std::vector<std::unique_ptr<Ixa::Graphics::Bitmap>> emoticonBitmaps_;
    std::vector<Ixa::Base::String> selectedEmoticons_;
    ChatScreen* screen_ = nullptr;
    bool overlay_ = false;
    bool emoticonMode_ = false;
    bool quickTextMode_ = false;
};
