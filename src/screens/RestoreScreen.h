// The screen "RESTORE_SCREEN": the saved conversations with the date of each one's last
// message, and protect and delete in the footer while there is anything saved ("No
// conversations" when there is not); back returns to the settings.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/RestoreController.h"

#include "platform/ListView.h"

class RestoreScreen : public IMScreen {
public:
    ~RestoreScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

private:
    void showFooterItems(bool shown);

    RestoreController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
};
