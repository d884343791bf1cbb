#include "platform/ControlEventFilter.h"

#include "platform/Control.h"
#include "platform/IKeyEventListener.h"
#include "platform/ITouchEventListener.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cstdlib>

namespace Ixa::Ui {

namespace {

constexpr int LongPressSlop = 20;

KeyCode ToKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KEY_ENTER;
    case Qt::Key_Backspace:
        return KEY_BACKSPACE;
    case Qt::Key_Left:
        return KEY_LEFT;
    case Qt::Key_Right:
        return KEY_RIGHT;
    case Qt::Key_Up:
        return KEY_UP;
    case Qt::Key_Down:
        return KEY_DOWN;
    case Qt::Key_Escape:
        return KEY_BACK;
    default:
        return KEY_OTHER;
    }
}

Graphics::Point ToPoint(const QPointF& position)
{
    return Graphics::Point(static_cast<int>(position.x()), static_cast<int>(position.y()));
}

}  // namespace

ControlEventFilter::ControlEventFilter(
    Control& control, std::vector<ITouchEventListener*>& touch, std::vector<IKeyEventListener*>& keys)
    : control_(control), touch_(touch), keys_(keys)
{
    longPress_.Construct(*this);
}

bool ControlEventFilter::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        pressed_ = true;
        start_ = ToPoint(static_cast<QMouseEvent*>(event)->position());
        longPress_.Start(LongPressMilliseconds);
        ReportTouch(Touch::Pressed, start_);
        break;
    case QEvent::MouseMove: {
        const Graphics::Point position = ToPoint(static_cast<QMouseEvent*>(event)->position());
        if (std::abs(position.x - start_.x) + std::abs(position.y - start_.y) > LongPressSlop)
            longPress_.Cancel();
        if (pressed_)
            ReportTouch(Touch::Moved, position);
        break;
    }
    case QEvent::MouseButtonRelease:
        pressed_ = false;
        longPress_.Cancel();
        ReportTouch(Touch::Released, ToPoint(static_cast<QMouseEvent*>(event)->position()));
        break;
    case QEvent::MouseButtonDblClick:
        ReportTouch(Touch::DoublePressed, ToPoint(static_cast<QMouseEvent*>(event)->position()));
        break;
    case QEvent::FocusIn:
        ReportTouch(Touch::FocusIn, current_);
        break;
    case QEvent::FocusOut:
        ReportTouch(Touch::FocusOut, current_);
        break;
    case QEvent::KeyPress:
        ReportKey(static_cast<QKeyEvent*>(event)->isAutoRepeat() ? 2 : 0, static_cast<QKeyEvent*>(event)->key());
        break;
    case QEvent::KeyRelease:
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
            ReportKey(1, static_cast<QKeyEvent*>(event)->key());
        break;
    default:
        break;
    }
    return false;
}

void ControlEventFilter::OnTimerExpired(Base::Runtime::Timer&)
{
    if (pressed_)
        ReportTouch(Touch::LongPressed, start_);
}

void ControlEventFilter::ReportTouch(Touch kind, const Graphics::Point& position)
{
    current_ = position;
    static constexpr TouchStatus statuses[] = {TOUCH_PRESSED, TOUCH_LONG_PRESSED, TOUCH_RELEASED,
        TOUCH_MOVED, TOUCH_DOUBLE_PRESSED, TOUCH_FOCUS_IN, TOUCH_FOCUS_OUT};
    const TouchEventInfo info(statuses[static_cast<int>(kind)], start_, position);
    // A listener may remove itself (or others) while being told.
    const std::vector<ITouchEventListener*> listeners = touch_;
    for (ITouchEventListener* listener : listeners) {
        switch (kind) {
        case Touch::Pressed:
            listener->OnTouchPressed(control_, position, info);
            break;
        case Touch::LongPressed:
            listener->OnTouchLongPressed(control_, position, info);
            break;
        case Touch::Released:
            listener->OnTouchReleased(control_, position, info);
            break;
        case Touch::Moved:
            listener->OnTouchMoved(control_, position, info);
            break;
        case Touch::DoublePressed:
            listener->OnTouchDoublePressed(control_, position, info);
            break;
        case Touch::FocusIn:
            listener->OnTouchFocusIn(control_, position, info);
            break;
        case Touch::FocusOut:
            listener->OnTouchFocusOut(control_, position, info);
            break;
        }
    }
}

void ControlEventFilter::ReportKey(int kind, int qtKey)
{
    const KeyCode code = ToKeyCode(qtKey);
    const std::vector<IKeyEventListener*> listeners = keys_;
    for (IKeyEventListener* listener : listeners) {
        if (kind == 0)
            listener->OnKeyPressed(control_, code);
        else if (kind == 1)
            listener->OnKeyReleased(control_, code);
        else
            listener->OnKeyLongPressed(control_, code);
    }
}

}  // namespace Ixa::Ui
