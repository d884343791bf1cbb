// The screen "NAMEDISPLAY_SCREEN" (NameDisplayController): the user's display name, read
// only; it follows a change of the user's own profile. Back returns to the settings.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/NameDisplayController.h"

#include "platform/ListView.h"

class NameDisplayScreen : public IMScreen {
public:
    ~NameDisplayScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

private:
    NameDisplayController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
};
