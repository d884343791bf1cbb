// The screen "ADDCONTACT_SCREEN": the e-mail field for the new buddy's address, one row that
// shows the group chosen for it ("Add to group" until one is chosen) and leads to the group
// list, and add in the footer (and on the keypad, with cancel).
//
// The group screens come back here with the event data set (the chosen group's name, empty
// when none was picked); then the typed address and an earlier choice stay. Arriving from
// anywhere else starts afresh.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the field
// and the list; the event data is the sender's and is copied.
#pragma once

#include "app/IMScreen.h"
#include "screens/AddContactController.h"

#include "platform/EditField.h"
#include "platform/ListView.h"

class AddContactView : public IMScreen {
public:
    static constexpr int EMAIL_MAX_LENGTH = 100;

    ~AddContactView() override;

    bool Initialize() override;
    void updateScreen() override;
    void onStateTransition(EVENT_T event, void* data) override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    IMString GetEmailIdTextFieldText() const;
    // The group name the group screens handed back; empty when none was chosen.
    const IMString& GetNewGroupEntered() const;
    // Empties the field and forgets the chosen group.
    void ClearData();
    void HideKeypad();

private:
    AddContactController controller_;
    Ixa::Ui::Controls::EditField* field_ = nullptr;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
    IMString groupEntered_;
    bool returning_ = false;
};
