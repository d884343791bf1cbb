// The screen "PERSONAL_MESSAGE_SCREEN" (PersonalMessageController): one field holding the
// user's personal message, saved from the footer or the keypad; back returns to the settings.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/PersonalMessageController.h"

#include "platform/EditField.h"

class PersonalMessageScreen : public IMScreen {
public:
    static constexpr int MESSAGE_LIMIT = 100;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    Ixa::Base::String GetMessage() const;
    void HideKeypad();

private:
    void showMessage();

    PersonalMessageController controller_;
    Ixa::Ui::Controls::EditField* field_ = nullptr;
};
