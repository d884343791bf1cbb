// The screen "GROUP_LIST": "Create group", then every stored group, one row each, and the
// back button to the add-contact screen.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the list.
#pragma once

#include "app/IMScreen.h"
#include "screens/GroupListController.h"

#include "platform/ListView.h"

class GroupListScreen : public IMScreen {
public:
    ~GroupListScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

private:
    GroupListController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
};
