// The screen "GROUP_SCREEN": one field for the name of a new group, save in the footer (and
// on the keypad, with hide), and the back button to the group list.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the field.
#pragma once

#include "app/IMScreen.h"
#include "screens/GroupController.h"

#include "foundation/IMString.h"
#include "platform/EditField.h"

class GroupScreen : public IMScreen {
public:
    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    IMString GetName() const;
    void ClearName();
    void HideKeypad();

private:
    GroupController controller_;
    Ixa::Ui::Controls::EditField* field_ = nullptr;
};
