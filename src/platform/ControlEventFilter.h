// Watches the widget of a control and turns its mouse, key and focus events into the
// control's touch and key callbacks. A press that is held 500 ms without moving far becomes
// a long press, timed by a platform timer so that the virtual clock drives it in tests.
// Threading and ownership: user-interface thread; owned by the control's private part, which
// also owns the listener lists it reads.
#pragma once

#include "platform/ITimerEventListener.h"
#include "platform/Point.h"
#include "platform/Timer.h"

#include <QObject>

#include <vector>

namespace Ixa::Ui {

class Control;
class IKeyEventListener;
class ITouchEventListener;

class ControlEventFilter : public QObject, public Base::Runtime::ITimerEventListener {
public:
    ControlEventFilter(Control& control, std::vector<ITouchEventListener*>& touch, std::vector<IKeyEventListener*>& keys);

    static constexpr int LongPressMilliseconds = 500;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnTimerExpired(Base::Runtime::Timer& timer) override;

private:
    enum class Touch { Pressed, LongPressed, Released, Moved, DoublePressed, FocusIn, FocusOut };

    void ReportTouch(Touch kind, const Graphics::Point& position);
    void ReportKey(int kind, int qtKey);

    Control& control_;
    std::vector<ITouchEventListener*>& touch_;
    std::vector<IKeyEventListener*>& keys_;
    Base::Runtime::Timer longPress_;
    Graphics::Point start_;
    Graphics::Point current_;
    bool pressed_ = false;
};

}  // namespace Ixa::Ui
