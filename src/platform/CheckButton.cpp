#include "platform/CheckButton.h"

#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

CheckButton::CheckButton() = default;

CheckButton::~CheckButton() { DestroyWidget(); }

result CheckButton::Construct(const Graphics::Rectangle& rect, CheckButtonStyle style, const Base::String& text)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) { Paint(painter); };
    widget->onPress = [this](const QPoint&) {
        pressed_ = true;
        RequestRedraw();
    };
    widget->onRelease = [this](const QPoint& point) { Release(point); };
    style_ = style;
    text_ = text;
    AdoptWidget(widget, rect);
    return E_SUCCESS;
}

result CheckButton::SetText(const Base::String& text)
{
    text_ = text;
    RequestRedraw();
    return E_SUCCESS;
}

void CheckButton::SetActionId(int checkedActionId, int uncheckedActionId, int selectedActionId)
{
    checkedId_ = checkedActionId;
    uncheckedId_ = uncheckedActionId;
    selectedId_ = selectedActionId;
}

void CheckButton::SetSelected(bool select)
{
    selected_ = select;
    RequestRedraw();
}

void CheckButton::Release(const QPoint& point)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (!wasPressed || !GetWidget()->rect().contains(point) || !IsEnabled()) {
        RequestRedraw();
        return;
    }
    selected_ = !selected_;
    RequestRedraw();
    const int actionId = selected_ ? checkedId_ : uncheckedId_;
    actionListeners_.Notify([&](IActionEventListener& listener) { listener.OnActionPerformed(*this, actionId); });
    if (selectedId_ >= 0)
        actionListeners_.Notify([&](IActionEventListener& listener) { listener.OnActionPerformed(*this, selectedId_); });
}

void CheckButton::Paint(QPainter& painter)
{
    const QRect area = GetWidget()->rect();
    if (pressed_)
        painter.fillRect(area, UiTheme::RowPressed());
    const int box = 34;
    const QRect mark(area.right() - box - 16, area.center().y() - box / 2, box, box);
    painter.setPen(QPen(selected_ ? UiTheme::Accent() : UiTheme::SecondaryText(), 2));
    painter.setBrush(selected_ ? UiTheme::Accent() : Qt::transparent);
    if (style_ == CHECK_BUTTON_STYLE_RADIO)
        painter.drawEllipse(mark);
    else
        painter.drawRoundedRect(mark, 6, 6);
    if (selected_) {
        painter.setPen(QPen(UiTheme::Text(), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygon({mark.topLeft() + QPoint(8, 17), mark.topLeft() + QPoint(15, 25), mark.topLeft() + QPoint(27, 9)}));
    }
    painter.setFont(UiTheme::Font(UiTheme::TextSize - 2));
    painter.setPen(IsEnabled() ? UiTheme::Text() : UiTheme::DisabledText());
    const QRect textArea(16, 0, mark.left() - 28, area.height());
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft,
        painter.fontMetrics().elidedText(QtBridge::ToQString(text_), Qt::ElideRight, textArea.width()));
}

}  // namespace Ixa::Ui::Controls
