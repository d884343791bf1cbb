// The screen "QUICK_TEXT_SCREEN": the stored quick texts, one row each ("No items" when there
// are none), with add and delete in the footer and the back button to the chat.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/QuickTextListController.h"

#include "platform/ListView.h"

class QuickTextListScreen : public IMScreen {
public:
    ~QuickTextListScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

private:
    QuickTextListController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
};
