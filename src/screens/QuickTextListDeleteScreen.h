// The screen "QUICK_TEXT_DELETE_SCREEN": the quick texts with check marks under a select-all
// row, a label counting the checked ones, and delete in the footer (enabled only while one is
// checked); back returns to the list.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/QuickTextListDeleteController.h"
#include "screens/SelectAllList.h"

#include "platform/Label.h"
#include "platform/ListView.h"

class QuickTextListDeleteScreen : public IMScreen, public SelectAllList::Counter {
public:
    ~QuickTextListDeleteScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    Ixa::Ui::Controls::ListView& GetList() { return *list_; }
    // "N item(s) selected", and the delete item enabled while N is above 0.
    void ShowSelection(int checked) override;

private:
    QuickTextListDeleteController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
    Ixa::Ui::Controls::Label* selection_ = nullptr;
};
