// The screen "CONTACTINFO_SCREEN" ("Friend details"): the details of the buddy it was opened
// with (the transition's data, copied), kept current while it is shown: a presence or status
// change of that contact remakes the row. Back returns to the buddy list.
// Threading: user-interface thread (model updates arrive through the framework's event).
// Ownership: owns its controller and its copy of the contact; the form owns the list.
#pragma once

#include "app/IMScreen.h"
#include "screens/ContactInfoController.h"

#include "store/Contact.h"

#include "platform/ListView.h"

#include <memory>

class ContactInfoView : public IMScreen {
public:
    ~ContactInfoView() override;

    bool Initialize() override;
    void updateScreen() override;
    void onStateTransition(EVENT_T event, void* data) override;
    void willLossFocus() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;
    using IMScreen::onModelUpdate;
    void onModelUpdate(void* data) override;

    const Contact* GetSelectedContact() const { return contact_.get(); }

private:
    ContactInfoController controller_;
    std::unique_ptr<Contact> contact_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
};
