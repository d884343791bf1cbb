// The screen "SETTINGS_SCREEN" (SettingsController), one scrolling page: "My profile" with the
// name, personal message and status rows, each showing its current value; the show-offline
// and alert-sound switches; the saved conversations and the block list; sign-out. A change of
// the user's own profile redraws the rows; a finished sign-out goes to the sign-in screen.
// Threading: user-interface thread. Ownership: owns its controller and its popup (through the
// base); the form owns the controls.
#pragma once

#include "app/IMScreen.h"
#include "screens/SettingsController.h"

#include <vector>

namespace Ixa::Ui::Controls {
class Button;
class CheckButton;
class Label;
class ListView;
class ScrollPanel;
}  // namespace Ixa::Ui::Controls

class SettingsScreen : public IMScreen {
public:
    ~SettingsScreen() override;

    bool Initialize() override;
    void updateScreen() override;
    IMController* getController() override;
    IMModel* getModel() override;
    bool handleEvent(EVENT_T event) override;
    void setModelDependency() override;

    void ShowSignOutQuestion();
    void CloseSignOutQuestion();
    void LayoutControls();

private:
    Ixa::Ui::Controls::Label* addLabel(const char* textId);
    // A tappable row with its title on the left.
    Ixa::Ui::Controls::Button* addRow(const char* textId, int actionId);
    Ixa::Ui::Controls::CheckButton* addCheck(const char* textId, int checkedAction, int uncheckedAction, bool checked);

    SettingsController controller_;
    Ixa::Ui::Controls::ScrollPanel* panel_ = nullptr;
    Ixa::Ui::Controls::Label* profileLabel_ = nullptr;
    Ixa::Ui::Controls::ListView* profile_ = nullptr;
    Ixa::Ui::Controls::CheckButton* showOffline_ = nullptr;
    Ixa::Ui::Controls::CheckButton* alert_ = nullptr;
    Ixa::Ui::Controls::Label* backupLabel_ = nullptr;
    Ixa::Ui::Controls::Button* backup_ = nullptr;
    Ixa::Ui::Controls::Label* blockLabel_ = nullptr;
    Ixa::Ui::Controls::Button* block_ = nullptr;
    Ixa::Ui::Controls::Button* signOut_ = nullptr;
};
