// The screen "BLOCKED_LIST": the contacts the user has blocked, each row with unblock and
// delete as context items, and unblock and delete in the footer (only while the list has
// rows) for the selection screens; an empty list says "No contacts" with its picture. The
// rows follow the contact store while the screen is shown.
// Threading: user-interface thread. Ownership: owns its controller and the context item the
// rows borrow; the form owns the list.
#pragma once

#include "app/IMScreen.h"
#include "screens/BlockedListController.h"

#include "platform/ListContextItem.h"
#include "platform/ListView.h"

class BlockedListScreen : public IMScreen {
public:
    ~BlockedListScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    void willLossFocus() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;
    using IMScreen::onModelUpdate;
    void onModelUpdate(void* data) override;

    const Ixa::Ui::Controls::ListContextItem* GetRowContext() const { return &rowContext_; }
    // The row has gone from the controller's list; the footer items go with the last one.
    void RemoveRow(int index);

private:
    // The list and footer again from the store.
    void refresh();
    void showFooterItems(bool shown);

    BlockedListController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
    Ixa::Ui::Controls::ListContextItem rowContext_;
};
