// The protect and delete screens of the saved conversations: a check list of the saved
// conversations, the screen's action (1401) and cancel (1402) in the footer, back to the list.
// With a select-all row (delete), a label above the list counts the checked conversations.
// Threading: user-interface thread. Ownership: owns its controller, which outlives the list
// (the destructor removes the controls first); the form owns the controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/RestoreChecklistController.h"
#include "screens/SelectAllList.h"

#include "platform/Label.h"
#include "platform/ListView.h"

#include <memory>

class RestoreChecklistScreen : public IMScreen, public SelectAllList::Counter {
public:
    RestoreChecklistScreen(const char* formName, const char* titleId, const char* actionTextId, std::unique_ptr<RestoreChecklistController> controller);
    ~RestoreChecklistScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    Ixa::Ui::Controls::ListView& GetList() { return *list_; }
    // Shows how many conversations are checked, on a screen with a select-all row.
    void ShowSelection(int checked) override;

private:
    const char* formName_;
    const char* titleId_;
    const char* actionTextId_;
    std::unique_ptr<RestoreChecklistController> controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
    Ixa::Ui::Controls::Label* selection_ = nullptr;
};
