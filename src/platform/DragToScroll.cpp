#include "platform/DragToScroll.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace Ixa::Ui {

DragToScroll::DragToScroll(QScrollArea& area) : QObject(&area), area_(area) { Watch(*area.viewport()); }

void DragToScroll::Watch(QWidget& widget)
{
    widget.installEventFilter(this);
    for (QWidget* child : widget.findChildren<QWidget*>())
        child->installEventFilter(this);
}

// Positions are taken on the screen: the widget under the finger moves as the area scrolls.
// A press or move the widget ignores reaches its watched parents too; both only repeat what
// the first one did.
bool DragToScroll::eventFilter(QObject* watched, QEvent* event)
{
    if (cancelling_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (!tracking_) {
            tracking_ = true;
            pressed_ = qobject_cast<QWidget*>(watched);
            scroll_.SetOffset(area_.verticalScrollBar()->value());
            scroll_.Press(0, static_cast<int>(mouse->globalPosition().y()));
        }
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!tracking_ || !(mouse->buttons() & Qt::LeftButton))
            return false;
        const bool wasDragging = scroll_.IsDragging();
        if (!scroll_.Move(0, static_cast<int>(mouse->globalPosition().y())))
            return false;
        if (!wasDragging)
            cancelPress();
        area_.verticalScrollBar()->setValue(scroll_.GetOffset());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!tracking_)
            return false;
        tracking_ = false;
        pressed_ = nullptr;
        return scroll_.IsDragging();
    }
    default:
        return false;
    }
}

void DragToScroll::cancelPress()
{
    if (pressed_ == nullptr)
        return;
    const QPointF outside(-1, -1);
    QMouseEvent release(QEvent::MouseButtonRelease, outside, pressed_->mapToGlobal(outside), Qt::LeftButton,
        Qt::NoButton, Qt::NoModifier);
    cancelling_ = true;
    QCoreApplication::sendEvent(pressed_, &release);
    cancelling_ = false;
}

}  // namespace Ixa::Ui
