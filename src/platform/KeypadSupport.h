// The on-screen keypad side of an edit control (edit field, edit area, search bar): its keypad
// and action listeners, the keypad's command buttons and action key, and the calls that tell
// them, and the scroll panel around the control, that the overlay keypad was created, opened
// or closed, or that the user touched something else while it was open.
// Threading and ownership: user-interface thread; a member of its control; listeners are
// borrowed.
#pragma once

#include "platform/IActionEventListener.h"
#include "platform/IKeypadEventListener.h"
#include "platform/ListenerList.h"
#include "platform/Rectangle.h"
#include "platform/Result.h"
#include "platform/String.h"

#include <functional>

class QWidget;

namespace Ixa::Ui {

enum CommandButtonPosition { COMMAND_BUTTON_POSITION_LEFT = 0, COMMAND_BUTTON_POSITION_RIGHT = 1 };

class KeypadSupport {
public:
    struct CommandButton {
        Base::String text;
        int actionId = -1;
    };

    explicit KeypadSupport(Control& owner);
    ~KeypadSupport();

    ListenerList<IKeypadEventListener> keypadListeners;
    ListenerList<IActionEventListener> actionListeners;
    // How the keypad inserts typed text into the control, and where the control's text
    // widget is (touches inside it do not count as "another control").
    std::function<void(const Base::String&)> insertText;
    QWidget* textWidget = nullptr;
    bool overlay = true;
    bool commandButtonsVisible = true;
    KeypadAction action = KEYPAD_ACTION_DONE;
    CommandButton commands[2];

    void Open();
    void Close();
    bool IsOpen() const;
    const Control& GetOwner() const { return owner_; }
    // Where the open keypad lies, in the coordinates the control's own bounds are given in (its
    // container's); E_INVALID_STATE while the keypad is not open for this control.
    result GetBounds(Graphics::Rectangle& bounds) const;
    // Called by the keypad overlay.
    void Opened();
    void Closed();
    void ActionKey();
    void Command(int actionId);
    void OtherControlSelected();

private:
    template <typename Call>
    void TellScrollPanels(Call call);

    Control& owner_;
    bool created_ = false;
};

}  // namespace Ixa::Ui
