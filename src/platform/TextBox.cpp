#include "platform/TextBox.h"

#include "platform/PaintedWidget.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

namespace {

constexpr int Padding = 10;

}  // namespace

TextBox::TextBox() = default;

TextBox::~TextBox() { DestroyWidget(); }

result TextBox::Construct(const Graphics::Rectangle& rect, TextBoxBorder border)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    if (rect.width <= 2 * Padding || rect.height <= 2 * Padding)
        return E_INVALID_ARG;
    border_ = border;
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) { Paint(painter); };
    // The press is taken so that the release comes here too.
    widget->onPress = [](const QPoint&) {};
    widget->onRelease = [this](const QPoint& point) { Release(point); };
    AdoptWidget(widget, rect);
    Relayout();
    return E_SUCCESS;
}

result TextBox::SetText(const Base::String& text)
{
    text_ = text;
    Relayout();
    return E_SUCCESS;
}

result TextBox::AppendText(const Base::String& text)
{
    Base::String joined = text_;
    joined.Append(text);
    return SetText(joined);
}

result TextBox::SetTextSize(int size)
{
    if (size <= 0)
        return E_INVALID_ARG;
    textSize_ = size;
    Relayout();
    return E_SUCCESS;
}

result TextBox::SetTextColor(const Graphics::Color& color)
{
    color_ = color;
    Relayout();
    return E_SUCCESS;
}

result TextBox::SetAutoLinkMask(unsigned long autoLinkMask)
{
    if ((autoLinkMask & ~Graphics::LINK_TYPE_ALL) != 0)
        return E_INVALID_ARG;
    autoLinkMask_ = autoLinkMask;
    Relayout();
    return E_SUCCESS;
}

void TextBox::OnBoundsChanged() { Relayout(); }

void TextBox::Relayout()
{
    const Graphics::Rectangle bounds = GetBounds();
    if (bounds.width <= 2 * Padding || bounds.height <= 2 * Padding)
        return;
    layout_.RemoveAll(false);
    element_.Construct(text_, autoLinkMask_);
    Graphics::Font font;
    font.Construct(Graphics::FONT_STYLE_PLAIN, textSize_);
    element_.SetFont(font);
    element_.SetTextColor(color_);
    layout_.Construct(Graphics::Dimension(bounds.width - 2 * Padding, bounds.height - 2 * Padding));
    layout_.Add(element_);
    RequestRedraw();
}

result TextBox::GetLinkAt(const Graphics::Point& point, Graphics::LinkType& type, Base::String& link, Base::String& text) const
{
    return layout_.GetLinkAt(Graphics::Point(point.x - Padding, point.y - Padding), type, link, text);
}

void TextBox::Release(const QPoint& point)
{
    Graphics::LinkType type = Graphics::LINK_TYPE_NONE;
    Base::String link;
    Base::String text;
    if (IsFailed(GetLinkAt(Graphics::Point(point.x(), point.y()), type, link, text)))
        return;
    linkListeners_.Notify([&](IUiLinkEventListener& listener) { listener.OnLinkClicked(*this, text, type, link); });
}

void TextBox::Paint(QPainter& painter)
{
    if (border_ == TEXT_BOX_BORDER_ROUNDED) {
        painter.setPen(QPen(UiTheme::Divider(), 2));
        painter.setBrush(UiTheme::Row());
        painter.drawRoundedRect(GetWidget()->rect().adjusted(1, 1, -1, -1), 8, 8);
    }
    layout_.Paint(painter, QPoint(Padding, Padding));
}

}  // namespace Ixa::Ui::Controls
