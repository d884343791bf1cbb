// The controller of one saved conversation: its messages as bubbles, links handed on as the
// chat screen does, protection switched on (1402) and off (1404), and delete (1403) after a
// confirmation (1405 deletes and returns to the list, 1406 keeps it). Back returns to the list.
// Threading: user-interface thread. Ownership: owned by its screen; owns the messages it lists
// and the user's picture their bubbles copy.
#pragma once

#include "app/IMController.h"
#include "store/Message.h"

#include "platform/Bitmap.h"

#include <memory>
#include <vector>

class RestoreChatController : public IMController {
public:
    enum Action {
        ACTION_PROTECT = 1402,
        ACTION_DELETE = 1403,
        ACTION_UNPROTECT = 1404,
        ACTION_DELETE_YES = 1405,
        ACTION_DELETE_NO = 1406,
    };
    // Where back (and deleting the copy) leads: the conversations when the copy was opened
    // from their search, else the saved conversations.
    static void SetOpenedFromSearch(bool fromSearch);

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processOnLinkClicked(Control& source, const Ixa::Base::String& text, Ixa::Graphics::LinkType type,
        const Ixa::Base::String& link, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // Reads the selected conversation's messages again.
    void LoadMessages();
    const std::vector<std::unique_ptr<Message>>& GetMessages() const { return messages_; }

private:
    static void goBack();

    std::vector<std::unique_ptr<Message>> messages_;
    // The picture of the conversation's user, or null for the placeholder.
    std::unique_ptr<Ixa::Graphics::Bitmap> avatar_;
    static bool openedFromSearch_;
};
