// The controller of the saved-conversations list (`RestoreController`): the keys of the saved
// conversations in the order they were saved, each row showing the other user (by the name the
// conversations list gives) and the local date and time of the conversation's last message. A tap opens the conversation; the footer
// opens the protect and delete screens; back returns to the settings.
// Threading: user-interface thread. Ownership: owned by its screen; owns the key list and the
// selected key, which are class-wide so the conversation screen reads the same selection.
#pragma once

#include "app/IMController.h"

#include "platform/CustomItem.h"
#include "platform/String.h"

#include <vector>

class RestoreController : public IMController {
public:
    enum Action { ACTION_PROTECT = 1302, ACTION_DELETE = 1303 };
    enum Element { ELEMENT_USER = 1, ELEMENT_DATE = 2 };
    static constexpr int ROW_HEIGHT = 100;
    // Where a row's second line, the date, is.
    static constexpr int DATE_TOP = 58;
    static constexpr int DATE_HEIGHT = 34;
    // The check mark of a selection row takes its right end, as wide as the row is high.
    static constexpr int MARK_WIDTH = 88;

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;
    void processListViewItemStateChanged(ListView& list, int index, int elementId, ListItemStatus status, IMView* view) override;
    int processGetItemCount(IMView* view) override;
    ListItemBase* processCreateItem(int index, int itemWidth, IMView* view) override;
    bool processDeleteItem(int index, ListItemBase* item, int itemWidth, IMView* view) override;

    // Every saved conversation's key, in the order they were saved.
    static std::vector<Ixa::Base::String> ReadKeys();
    // The other user of a saved conversation, the key itself when unknown.
    static Ixa::Base::String UserOf(const Ixa::Base::String& key);
    // The name the conversation is shown under: the stored contact's, as the conversations
    // list shows it, else the user's id.
    static Ixa::Base::String NameOf(const Ixa::Base::String& key);
    // A row with the conversation's user and its date, with the annex given; the caller owns it.
    static Ixa::Ui::Controls::CustomItem* MakeRow(const Ixa::Base::String& key, int width, Ixa::Ui::Controls::ListAnnexStyle annex);
    // The local date and time of the conversation's last message; empty without messages.
    static Ixa::Base::String DateOf(const Ixa::Base::String& key);
    static void SetSelectedConversation(const Ixa::Base::String& key);
    static const Ixa::Base::String& GetSelectedConversation();

    // True while the single-conversation screen is shown.
    static bool isRestoreChatScreen;

private:
    std::vector<Ixa::Base::String> keys_;
    static Ixa::Base::String selected_;
};
