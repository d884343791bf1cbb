#include "platform/Label.h"

#include "platform/Canvas.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

Label::Label() = default;

Label::~Label() { DestroyWidget(); }

result Label::Construct(const Graphics::Rectangle& rect, const Base::String& text)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) { Paint(painter); };
    text_ = text;
    AdoptWidget(widget, rect);
    return E_SUCCESS;
}

result Label::SetText(const Base::String& text)
{
    text_ = text;
    RequestRedraw();
    return E_SUCCESS;
}

result Label::SetTextColor(const Graphics::Color& color)
{
    color_ = color;
    RequestRedraw();
    return E_SUCCESS;
}

result Label::SetTextConfig(int size, LabelTextStyle style)
{
    if (size <= 0)
        return E_INVALID_ARG;
    size_ = size;
    style_ = style;
    RequestRedraw();
    return E_SUCCESS;
}

result Label::SetTextHorizontalAlignment(HorizontalAlignment alignment)
{
    horizontal_ = alignment;
    RequestRedraw();
    return E_SUCCESS;
}

result Label::SetTextVerticalAlignment(VerticalAlignment alignment)
{
    vertical_ = alignment;
    RequestRedraw();
    return E_SUCCESS;
}

result Label::SetBackgroundColor(const Graphics::Color& color)
{
    background_ = color;
    RequestRedraw();
    return E_SUCCESS;
}

result Label::SetBackgroundBitmap(const Graphics::Bitmap* bitmap)
{
    bitmap_.reset();
    if (bitmap != nullptr) {
        bitmap_ = std::make_unique<Graphics::Bitmap>();
        if (IsFailed(bitmap_->Construct(*bitmap))) {
            bitmap_.reset();
            return E_INVALID_ARG;
        }
    }
    RequestRedraw();
    return E_SUCCESS;
}

void Label::Paint(QPainter& painter)
{
    const Graphics::Rectangle bounds = GetBounds();
    const QRect area(0, 0, bounds.width, bounds.height);
    painter.fillRect(area, QtBridge::ToQColor(background_));
    if (bitmap_) {
        Graphics::Canvas canvas;
        canvas.ConstructOver(painter, Graphics::Rectangle(0, 0, bounds.width, bounds.height));
        canvas.DrawNinePatchedBitmap(Graphics::Rectangle(0, 0, bounds.width, bounds.height), *bitmap_);
    }
    QFont font = UiTheme::Font(size_, style_ == LABEL_TEXT_STYLE_BOLD);
    font.setItalic(style_ == LABEL_TEXT_STYLE_ITALIC);
    painter.setFont(font);
    painter.setPen(QtBridge::ToQColor(color_));
    const int horizontal = horizontal_ == ALIGNMENT_CENTER ? Qt::AlignHCenter : horizontal_ == ALIGNMENT_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
    const int vertical = vertical_ == ALIGNMENT_TOP ? Qt::AlignTop : vertical_ == ALIGNMENT_BOTTOM ? Qt::AlignBottom : Qt::AlignVCenter;
    painter.drawText(area.adjusted(4, 0, -4, 0), horizontal | vertical | Qt::TextWordWrap, QtBridge::ToQString(text_));
}

}  // namespace Ixa::Ui::Controls
