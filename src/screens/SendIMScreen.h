// The screen "SENDIM_SCREEN" ("Send message to"): one e-mail field for the address to write
// to, and the action that opens the chat in the footer and on the keypad, whose other button
// closes it. Every showing starts with an empty field.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the field.
#pragma once

#include "app/IMScreen.h"
#include "screens/SendIMController.h"

#include "platform/EditField.h"

class SendIMScreen : public IMScreen {
public:
    static constexpr int EMAIL_MAX_LENGTH = 100;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    IMString GetAddress() const;
    void ClearAddress();
    void HideKeypad();

private:
    SendIMController controller_;
    Ixa::Ui::Controls::EditField* field_ = nullptr;
};
