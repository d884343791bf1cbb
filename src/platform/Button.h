// A push button with a text and/or pictures: a background for the normal and pressed states
// and a foreground picture at a given point. A tap reports the button's action id.
// Threading and ownership: user-interface thread; listeners are borrowed.
#pragma once

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/IActionEventListener.h"
#include "platform/ListenerList.h"
#include "platform/UiTypes.h"

#include <memory>

class QPainter;
class QPoint;

namespace Ixa::Ui::Controls {

class Button : public Control {
public:
    Button();
    ~Button() override;

    result Construct(const Graphics::Rectangle& rect, const Base::String& text = Base::String());
    result SetText(const Base::String& text);
    Base::String GetText() const { return text_; }
    void SetActionId(int actionId) { actionId_ = actionId; }
    int GetActionId() const { return actionId_; }
    result SetTextSize(int size);
    result SetTextColor(const Graphics::Color& color);
    // Centred unless set; a row-like button puts its text on the left.
    result SetTextHorizontalAlignment(HorizontalAlignment alignment);
    // Pictures are copied; null removes one.
    result SetNormalBackgroundBitmap(const Graphics::Bitmap* bitmap);
    result SetPressedBackgroundBitmap(const Graphics::Bitmap* bitmap);
    result SetNormalBitmap(const Graphics::Point& position, const Graphics::Bitmap* bitmap);
    result SetPressedBitmap(const Graphics::Point& position, const Graphics::Bitmap* bitmap);

    void AddActionEventListener(IActionEventListener& listener) { actionListeners_.Add(listener); }
    void RemoveActionEventListener(IActionEventListener& listener) { actionListeners_.Remove(listener); }

private:
    void Paint(QPainter& painter);
    void Release(const QPoint& point);

    Base::String text_;
    int actionId_ = -1;
    int textSize_ = 26;
    HorizontalAlignment alignment_ = ALIGNMENT_CENTER;
    Graphics::Color textColor_ = Graphics::Color(255, 255, 255);
    std::shared_ptr<const Graphics::Bitmap> background_[2];
    std::shared_ptr<const Graphics::Bitmap> foreground_[2];
    Graphics::Point foregroundPosition_[2];
    bool pressed_ = false;
    ListenerList<IActionEventListener> actionListeners_;
};

}  // namespace Ixa::Ui::Controls
