// Lets a finger scroll a scroll area by dragging anywhere on it, a control inside included,
// as on a touch screen. A touch that moves no further than a tap's slack stays the control's
// own (a button still fires); once it moves further it is a drag: the control it went down on
// is told the touch left it (a button neither stays pressed nor fires), and the area follows
// the finger until it lifts.
// Threading and ownership: user-interface thread. A child of the scroll area it serves; it
// watches the area's viewport and the widgets it is given, which it does not own.
#pragma once

#include "platform/TouchScroll.h"

#include <QObject>
#include <QPointer>

class QScrollArea;
class QWidget;

namespace Ixa::Ui {

class DragToScroll : public QObject {
public:
    explicit DragToScroll(QScrollArea& area);

    // Watches `widget` and every widget inside it.
    void Watch(QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tells the widget the touch went down on that it has left it.
    void cancelPress();

    QScrollArea& area_;
    TouchScroll scroll_;
    QPointer<QWidget> pressed_;
    bool tracking_ = false;
    bool cancelling_ = false;
};

}  // namespace Ixa::Ui
