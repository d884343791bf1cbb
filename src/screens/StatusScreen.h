// The screen "STATUS_SCREEN": the user picks available or busy (StatusController); back
// returns to the settings.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/StatusController.h"

#include "platform/ListView.h"

class StatusScreen : public IMScreen {
public:
    ~StatusScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

private:
    StatusController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
};
