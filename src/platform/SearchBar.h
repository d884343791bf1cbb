// A search field with a content area under it. In normal mode it is a bar holding the field;
// touching the field puts it in input mode: the on-screen keypad opens, a cancel button
// appears beside the field, and the bar grows over the form below it to show its content (a
// list of results, say) in the content area. The cancel button goes back to normal mode.
// Mode changes made by the user reach the search-bar listeners (SetMode changes the mode
// silently); typing reaches the text listeners and the keypad's events the keypad listeners,
// all with the search bar as their source.
// Threading and ownership: user-interface thread. The content control is handed to the search
// bar, which deletes it with itself or when another content replaces it; listeners are
// borrowed.
#pragma once

#include "platform/Container.h"
#include "platform/ControlsTypes.h"
#include "platform/IActionEventListener.h"
#include "platform/IKeypadEventListener.h"
#include "platform/ITextEventListener.h"
#include "platform/ListenerList.h"

namespace Ixa::Ui::Controls {

class Button;
class EditField;
class ISearchBarEventListener;

class SearchBar : public Container, private ITextEventListener, private IKeypadEventListener, private IActionEventListener {
public:
    SearchBar();
    ~SearchBar() override;

    // `rect` is the bar in normal mode.
    result Construct(const Graphics::Rectangle& rect, bool searchFieldShown = true, KeypadAction keypadAction = KEYPAD_ACTION_SEARCH);
    result SetBounds(const Graphics::Rectangle& rect) override;
    using Control::SetBounds;

    result SetMode(SearchBarMode mode);
    SearchBarMode GetMode() const { return mode_; }
    // Takes `content` over (E_INVALID_ARG when it already has a parent); null removes it.
    result SetContent(Control* content);
    Control* GetContent() const { return content_; }
    // The content area's size; by default it reaches from the bar to the bottom of the
    // parent's client area.
    result SetContentAreaSize(const Graphics::Dimension& size);
    // In the search bar's coordinates.
    Graphics::Rectangle GetContentAreaBounds() const;

    result SetText(const Base::String& text);
    Base::String GetText() const;
    int GetTextLength() const;
    result Clear();
    result SetGuideText(const Base::String& text);
    Base::String GetGuideText() const;
    result SetLimitLength(int limitLength);
    result ShowKeypad();
    result HideKeypad();
    bool IsKeypadOpened() const;

    void AddSearchBarEventListener(ISearchBarEventListener& listener) { modeListeners_.Add(listener); }
    void RemoveSearchBarEventListener(ISearchBarEventListener& listener) { modeListeners_.Remove(listener); }
    void AddTextEventListener(ITextEventListener& listener) { textListeners_.Add(listener); }
    void RemoveTextEventListener(ITextEventListener& listener) { textListeners_.Remove(listener); }
    void AddKeypadEventListener(IKeypadEventListener& listener) { keypadListeners_.Add(listener); }
    void RemoveKeypadEventListener(IKeypadEventListener& listener) { keypadListeners_.Remove(listener); }

    // Platform side, for the ScreenProbe: the field and the cancel button.
    EditField* GetField() const { return field_; }
    Button* GetCancelButton() const { return cancel_; }

protected:
    void OnBoundsChanged() override;

private:
    void OnTextValueChanged(const Control& source) override;
    void OnTextValueChangeCanceled(const Control& source) override;
    void OnKeypadWillOpen(Control& source) override;
    void OnKeypadOpened(Control& source) override;
    void OnKeypadClosed(Control& source) override;
    void OnKeypadActionPerformed(Control& source, KeypadAction keypadAction) override;
    void OnActionPerformed(const Control& source, int actionId) override;

    void ChangeModeByUser(SearchBarMode mode);
    int ContentHeight() const;
    void Relayout();

    EditField* field_ = nullptr;
    Button* cancel_ = nullptr;
    Control* content_ = nullptr;
    Graphics::Rectangle barBounds_;
    Graphics::Dimension contentSize_;
    bool contentSizeSet_ = false;
    SearchBarMode mode_ = SEARCH_BAR_MODE_NORMAL;
    ListenerList<ISearchBarEventListener> modeListeners_;
    ListenerList<ITextEventListener> textListeners_;
    ListenerList<IKeypadEventListener> keypadListeners_;
};

}  // namespace Ixa::Ui::Controls
