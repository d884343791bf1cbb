// The screen of the block list's unblock or delete selection (form "BLOCKED_LIST"): a label
// counting the checked contacts, a select-all row over the blocked contacts with check marks,
// and in the footer the action on the selection (enabled only while a contact is checked)
// and cancel. Each showing starts from the store with nothing checked.
// Threading: user-interface thread. Ownership: the controller is the derived screen's; the
// form owns the controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/BlockedListSelectionController.h"
#include "screens/SelectAllList.h"

#include "platform/Label.h"
#include "platform/ListView.h"

class BlockedListSelectionScreen : public IMScreen, public SelectAllList::Counter {
public:
    // `titleId` is both the title and the footer's action text; `controller` belongs to the
    // derived screen and is used only once it is whole.
    BlockedListSelectionScreen(const char* titleId, BlockedListSelectionController& controller);
    ~BlockedListSelectionScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    Ixa::Ui::Controls::ListView& GetList() { return *list_; }
    void ShowSelection(int checked) override;

private:
    const char* titleId_;
    BlockedListSelectionController& controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
    Ixa::Ui::Controls::Label* selection_ = nullptr;
};
