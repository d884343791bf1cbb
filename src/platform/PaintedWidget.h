// A plain Qt widget whose painting and mouse handling are given as functions: the header,
// footer, list rows, icon grid, status strip and keypad overlay are drawn this way.
// Threading and ownership: user-interface thread. The functions usually refer to the control
// that owns the widget; that control deletes the widget (Control::DestroyWidget) before the
// rest of itself, so they never outlive what they refer to.
#pragma once

#include <QWidget>

#include <functional>

namespace Ixa::Ui {

class PaintedWidget : public QWidget {
public:
    explicit PaintedWidget(QWidget* parent = nullptr);

    std::function<void(QPainter&)> onPaint;
    std::function<void(const QPoint&)> onPress;
    std::function<void(const QPoint&)> onMove;
    std::function<void(const QPoint&)> onRelease;
    std::function<void(int delta)> onWheel;
    std::function<void()> onResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace Ixa::Ui
