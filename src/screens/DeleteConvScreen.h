// The screen "DELETE_CONVERSATION_SCREEN": a label counting the checked conversations, every
// conversation with a check mark under a select-all row, and delete (enabled only while a
// conversation is checked) and cancel in the footer; back returns to the conversations.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/DeleteConvController.h"
#include "screens/SelectAllList.h"

#include "platform/Label.h"
#include "platform/ListView.h"

class DeleteConvScreen : public IMScreen, public SelectAllList::Counter {
public:
    ~DeleteConvScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    Ixa::Ui::Controls::ListView* GetList() const { return list_; }
    void ShowSelection(int checked) override;

private:
    DeleteConvController controller_;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
    Ixa::Ui::Controls::Label* selection_ = nullptr;
};
