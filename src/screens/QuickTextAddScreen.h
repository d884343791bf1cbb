// The screen "QUICK_TEXT_ADD_SCREEN": one field for a new phrase, save and cancel in the
// footer (and on the keypad).
// Threading: user-interface thread. Ownership: owns its controller; the form owns the field.
#pragma once

#include "app/IMScreen.h"
#include "screens/QuickTextAddController.h"

#include "platform/EditField.h"

class QuickTextAddScreen : public IMScreen {
public:
    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    Ixa::Base::String GetText() const;
    void ClearText();
    void HideKeypad();

private:
    QuickTextAddController controller_;
    Ixa::Ui::Controls::EditField* field_ = nullptr;
};
