// The screen "SELFINFO_SCREEN" (SelfInfoController), the user's own profile: the avatar, the
// display name and the user name; a field with the personal message; the status rows. Save
// and cancel in the footer, save and hide on the keypad. A change of the user's own status
// reported by the service re-reads the row and the message.
// Threading: user-interface thread. Ownership: owns its controller; the form owns the
// controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/SelfInfoController.h"

namespace Ixa::Ui::Controls {
class EditField;
class Label;
class ListView;
}  // namespace Ixa::Ui::Controls

class SelfInfoView : public IMScreen {
public:
    static constexpr int MESSAGE_LIMIT = 100;

    ~SelfInfoView() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    Ixa::Base::String GetMessage() const;
    // Keeps the field's text as the message the view shows (the keypad's save).
    void KeepMessage();
    void HideKeypad();

private:
    void showProfile();
    void showSelfStatus();

    SelfInfoController controller_;
    Ixa::Ui::Controls::Label* avatar_ = nullptr;
    Ixa::Ui::Controls::Label* name_ = nullptr;
    Ixa::Ui::Controls::Label* userName_ = nullptr;
    Ixa::Ui::Controls::Label* messageTitle_ = nullptr;
    Ixa::Ui::Controls::EditField* field_ = nullptr;
    Ixa::Ui::Controls::Label* statusTitle_ = nullptr;
    Ixa::Ui::Controls::ListView* list_ = nullptr;
    Ixa::Base::String keptMessage_;
};
