// A one-line text field: normal, password (typed characters hidden) or e-mail style, with a
// length limit, a guide text shown while it is empty and an optional title above the text.
// With the overlay input style, touching it opens the on-screen keypad over the form; the
// desktop keyboard types into it as well. Text changes reach the text listeners; the keypad's
// command buttons report their action ids to the action listeners.
// Threading and ownership: user-interface thread; listeners are borrowed.
#pragma once

#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/ITextEventListener.h"
#include "platform/KeypadSupport.h"

class QLabel;
class QLineEdit;

namespace Ixa::Ui::Controls {

enum EditFieldStyle { EDIT_FIELD_STYLE_NORMAL = 0, EDIT_FIELD_STYLE_PASSWORD = 1, EDIT_FIELD_STYLE_EMAIL = 2, EDIT_FIELD_STYLE_NUMBER = 3 };
enum InputStyle { INPUT_STYLE_FULLSCREEN = 0, INPUT_STYLE_OVERLAY = 1 };

class EditField : public Control {
public:
    EditField();
    ~EditField() override;

    result Construct(const Graphics::Rectangle& rect, EditFieldStyle style = EDIT_FIELD_STYLE_NORMAL,
        InputStyle inputStyle = INPUT_STYLE_OVERLAY, bool showTitle = false, int limitLength = 100);

    result SetText(const Base::String& text);
    Base::String GetText() const;
    int GetTextLength() const;
    result AppendText(const Base::String& text);
    result Clear();
    result SetGuideText(const Base::String& text);
    Base::String GetGuideText() const;
    result SetTitleText(const Base::String& text);
    Base::String GetTitleText() const { return title_; }
    result SetLimitLength(int limitLength);
    int GetLimitLength() const;
    result SetTextSize(int size);
    result SetColor(const Graphics::Color& textColor);
    EditFieldStyle GetStyle() const { return style_; }
    // Recorded for the keypad's layout choice; the desktop keypad has one layout.
    result SetInputModeCategory(unsigned long categories, bool enable);

    void AddTextEventListener(ITextEventListener& listener) { textListeners_.Add(listener); }
    void RemoveTextEventListener(ITextEventListener& listener) { textListeners_.Remove(listener); }
    void AddKeypadEventListener(IKeypadEventListener& listener) { keypad_.keypadListeners.Add(listener); }
    void RemoveKeypadEventListener(IKeypadEventListener& listener) { keypad_.keypadListeners.Remove(listener); }
    void AddActionEventListener(IActionEventListener& listener) { keypad_.actionListeners.Add(listener); }
    void RemoveActionEventListener(IActionEventListener& listener) { keypad_.actionListeners.Remove(listener); }

    result SetKeypadAction(KeypadAction action);
    result SetOverlayKeypadCommandButtonVisible(bool visible);
    result SetOverlayKeypadCommandButton(CommandButtonPosition position, const Base::String& text, int actionId);
    result ShowKeypad();
    result HideKeypad();
    bool IsKeypadOpened() const { return keypad_.IsOpen(); }

protected:
    void OnBoundsChanged() override;

private:
    void Relayout();

    QLineEdit* line_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    Base::String title_;
    EditFieldStyle style_ = EDIT_FIELD_STYLE_NORMAL;
    unsigned long inputCategories_ = 0;
    ListenerList<ITextEventListener> textListeners_;
    KeypadSupport keypad_;
};

}  // namespace Ixa::Ui::Controls
