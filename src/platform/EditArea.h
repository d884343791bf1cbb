// A multi-line text area. An expandable area grows with its text, one line at a time, up to
// `maxExpandableLines` lines, and then scrolls; the program is told through the text
// listeners and lays the form out again. Keypad behaviour is that of EditField (the
// desktop keyboard's Enter starts a new line here rather than acting as the keypad's action
// key).
// Threading and ownership: user-interface thread; listeners are borrowed.
#pragma once

#include "platform/Control.h"
#include "platform/EditField.h"

class QPlainTextEdit;

namespace Ixa::Ui::Controls {

class EditArea : public Control {
public:
    EditArea();
    ~EditArea() override;

    // The area starts with the rectangle's height; maxExpandableLines 1 keeps it fixed.
    result Construct(const Graphics::Rectangle& rect, InputStyle inputStyle = INPUT_STYLE_OVERLAY,
        int maxExpandableLines = 1, int limitLength = 1000);

    result SetText(const Base::String& text);
    Base::String GetText() const;
    int GetTextLength() const;
    result AppendText(const Base::String& text);
    result Clear();
    result SetGuideText(const Base::String& text);
    int GetTextLineCount() const;
    result SetTextSize(int size);

    void AddTextEventListener(ITextEventListener& listener) { textListeners_.Add(listener); }
    void RemoveTextEventListener(ITextEventListener& listener) { textListeners_.Remove(listener); }
    void AddKeypadEventListener(IKeypadEventListener& listener) { keypad_.keypadListeners.Add(listener); }
    void RemoveKeypadEventListener(IKeypadEventListener& listener) { keypad_.keypadListeners.Remove(listener); }
    void AddActionEventListener(IActionEventListener& listener) { keypad_.actionListeners.Add(listener); }
    void RemoveActionEventListener(IActionEventListener& listener) { keypad_.actionListeners.Remove(listener); }
    result SetOverlayKeypadCommandButtonVisible(bool visible);
    result SetOverlayKeypadCommandButton(CommandButtonPosition position, const Base::String& text, int actionId);
    result ShowKeypad();
    result HideKeypad();
    bool IsKeypadOpened() const { return keypad_.IsOpen(); }
    // Where the open keypad lies, in the coordinates of this area's own bounds;
    // E_INVALID_STATE while it is closed.
    result GetKeypadBounds(Graphics::Rectangle& bounds) const { return keypad_.GetBounds(bounds); }

private:
    void TextChanged();
    int HeightFor(int lines) const;

    QPlainTextEdit* edit_ = nullptr;
    int baseHeight_ = 0;
    int maxLines_ = 1;
    int limit_ = 1000;
    ListenerList<ITextEventListener> textListeners_;
    KeypadSupport keypad_;
};

}  // namespace Ixa::Ui::Controls
