// A check box with a text. A tap toggles it and reports the checked or unchecked action id
// (and the selected id, when one was given, on every tap).
// Threading and ownership: user-interface thread; listeners are borrowed.
#pragma once

#include "platform/Control.h"
#include "platform/IActionEventListener.h"
#include "platform/ListenerList.h"

class QPainter;
class QPoint;

namespace Ixa::Ui::Controls {

enum CheckButtonStyle { CHECK_BUTTON_STYLE_MARK = 0, CHECK_BUTTON_STYLE_ONOFF = 1, CHECK_BUTTON_STYLE_RADIO = 2 };

class CheckButton : public Control {
public:
    CheckButton();
    ~CheckButton() override;

    result Construct(const Graphics::Rectangle& rect, CheckButtonStyle style, const Base::String& text);
    result SetText(const Base::String& text);
    Base::String GetText() const { return text_; }
    void SetActionId(int checkedActionId, int uncheckedActionId, int selectedActionId = -1);
    int GetCheckedActionId() const { return checkedId_; }
    int GetUncheckedActionId() const { return uncheckedId_; }
    int GetSelectedActionId() const { return selectedId_; }
    void SetSelected(bool select);
    bool IsSelected() const { return selected_; }

    void AddActionEventListener(IActionEventListener& listener) { actionListeners_.Add(listener); }
    void RemoveActionEventListener(IActionEventListener& listener) { actionListeners_.Remove(listener); }

private:
    void Paint(QPainter& painter);
    void Release(const QPoint& point);

    Base::String text_;
    CheckButtonStyle style_ = CHECK_BUTTON_STYLE_MARK;
    int checkedId_ = -1;
    int uncheckedId_ = -1;
    int selectedId_ = -1;
    bool selected_ = false;
    bool pressed_ = false;
    ListenerList<IActionEventListener> actionListeners_;
};

}  // namespace Ixa::Ui::Controls
