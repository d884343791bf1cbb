#include "platform/PaintedWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace Ixa::Ui {

PaintedWidget::PaintedWidget(QWidget* parent) : QWidget(parent) {}

void PaintedWidget::paintEvent(QPaintEvent*)
{
    if (!onPaint)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    onPaint(painter);
}

void PaintedWidget::mousePressEvent(QMouseEvent* event)
{
    if (onPress)
        onPress(event->position().toPoint());
    else
        event->ignore();
}

void PaintedWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (onMove)
        onMove(event->position().toPoint());
    else
        event->ignore();
}

void PaintedWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (onRelease)
        onRelease(event->position().toPoint());
    else
        event->ignore();
}

void PaintedWidget::wheelEvent(QWheelEvent* event)
{
    if (onWheel)
        onWheel(event->angleDelta().y());
    else
        event->ignore();
}

void PaintedWidget::resizeEvent(QResizeEvent*)
{
    if (onResize)
        onResize();
}

}  // namespace Ixa::Ui
