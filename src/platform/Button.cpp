#include "platform/Button.h"

#include "platform/BitmapCopy.h"
#include "platform/NinePatch.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

Button::Button() = default;

Button::~Button() { DestroyWidget(); }

result Button::Construct(const Graphics::Rectangle& rect, const Base::String& text)
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
    text_ = text;
    AdoptWidget(widget, rect);
    return E_SUCCESS;
}

result Button::SetText(const Base::String& text)
{
    text_ = text;
    RequestRedraw();
    return E_SUCCESS;
}

result Button::SetTextSize(int size)
{
    if (size <= 0)
        return E_INVALID_ARG;
    textSize_ = size;
    RequestRedraw();
    return E_SUCCESS;
}

result Button::SetTextHorizontalAlignment(HorizontalAlignment alignment)
{
    alignment_ = alignment;
    RequestRedraw();
    return E_SUCCESS;
}

result Button::SetTextColor(const Graphics::Color& color)
{
    textColor_ = color;
    RequestRedraw();
    return E_SUCCESS;
}

result Button::SetNormalBackgroundBitmap(const Graphics::Bitmap* bitmap)
{
    background_[0] = Graphics::BitmapCopy::Make(bitmap);
    RequestRedraw();
    return E_SUCCESS;
}

result Button::SetPressedBackgroundBitmap(const Graphics::Bitmap* bitmap)
{
    background_[1] = Graphics::BitmapCopy::Make(bitmap);
    RequestRedraw();
    return E_SUCCESS;
}

result Button::SetNormalBitmap(const Graphics::Point& position, const Graphics::Bitmap* bitmap)
{
    foreground_[0] = Graphics::BitmapCopy::Make(bitmap);
    foregroundPosition_[0] = position;
    RequestRedraw();
    return E_SUCCESS;
}

result Button::SetPressedBitmap(const Graphics::Point& position, const Graphics::Bitmap* bitmap)
{
    foreground_[1] = Graphics::BitmapCopy::Make(bitmap);
    foregroundPosition_[1] = position;
    RequestRedraw();
    return E_SUCCESS;
}

void Button::Release(const QPoint& point)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    RequestRedraw();
    if (wasPressed && GetWidget()->rect().contains(point) && IsEnabled())
        actionListeners_.Notify([&](IActionEventListener& listener) { listener.OnActionPerformed(*this, actionId_); });
}

void Button::Paint(QPainter& painter)
{
    const QRect area = GetWidget()->rect();
    const int state = pressed_ ? 1 : 0;
    const std::shared_ptr<const Graphics::Bitmap>& background = background_[state] ? background_[state] : background_[0];
    if (background) {
        if (background->IsNinePatchedBitmap())
            Graphics::NinePatch::Draw(painter, area, background->GetImage());
        else
            painter.drawImage(area, background->GetImage());
    } else {
        painter.setPen(QPen(QColor(0x4a, 0x6b, 0x8f), 1));
        painter.setBrush(pressed_ ? UiTheme::Accent() : QColor(0x34, 0x50, 0x6e));
        painter.drawRoundedRect(area.adjusted(1, 1, -1, -1), 8, 8);
    }
    const int foreground = foreground_[state] ? state : 0;
    if (foreground_[foreground])
        painter.drawImage(QtBridge::ToQPoint(foregroundPosition_[foreground]), foreground_[foreground]->GetImage());
    if (!text_.IsEmpty()) {
        painter.setFont(UiTheme::Font(textSize_));
        painter.setPen(IsEnabled() ? QtBridge::ToQColor(textColor_) : UiTheme::DisabledText());
        const Qt::Alignment horizontal = alignment_ == ALIGNMENT_LEFT    ? Qt::AlignLeft
                                         : alignment_ == ALIGNMENT_RIGHT ? Qt::AlignRight
                                                                         : Qt::AlignHCenter;
        const int inset = alignment_ == ALIGNMENT_CENTER ? 6 : 20;
        painter.drawText(area.adjusted(inset, 0, -inset, 0), horizontal | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(QtBridge::ToQString(text_), Qt::ElideRight, area.width() - 2 * inset));
    }
}

}  // namespace Ixa::Ui::Controls
