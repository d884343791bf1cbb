#include "platform/Popup.h"

#include "platform/Frame.h"
#include "platform/FrameWindow.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

Popup::Popup() = default;

Popup::~Popup()
{
    RemoveAllControls();
    DestroyWidget();
    UpdateLayer();
}

result Popup::Construct(bool hasTitle, const Graphics::Dimension& size)
{
    Frame* frame = Frame::GetActiveFrame();
    if (frame == nullptr || GetWidget() != nullptr)
        return E_INVALID_STATE;
    if (size.width <= 2 * BORDER || size.height <= 2 * BORDER)
        return E_INVALID_ARG;
    hasTitle_ = hasTitle;
    auto* box = new PaintedWidget(frame->GetWindow().PopupHost());
    box->onPaint = [this](QPainter& painter) { Paint(painter); };
    box->onPress = [](const QPoint&) {};
    client_ = new QWidget(box);
    SetShowState(false);
    AdoptWidget(box, Graphics::Rectangle(0, 0, size.width, size.height));
    OnBoundsChanged();
    return E_SUCCESS;
}

result Popup::SetTitleText(const Base::String& title)
{
    title_ = title;
    RequestRedraw();
    return E_SUCCESS;
}

result Popup::SetShowState(bool state)
{
    const result r = Container::SetShowState(state);
    if (state && GetWidget() != nullptr)
        GetWidget()->raise();
    UpdateLayer();
    return r;
}

Graphics::Rectangle Popup::GetClientAreaBounds() const
{
    const Graphics::Rectangle bounds = GetBounds();
    const int top = hasTitle_ ? UiTheme::PopupTitleHeight : BORDER;
    return Graphics::Rectangle(BORDER, top, bounds.width - 2 * BORDER, bounds.height - top - BORDER);
}

void Popup::OnBoundsChanged()
{
    QWidget* box = GetWidget();
    if (box == nullptr || client_ == nullptr)
        return;
    // The platform keeps popups centred over the form area.
    const QWidget* host = box->parentWidget();
    box->move((host->width() - box->width()) / 2, (host->height() - box->height()) / 2);
    const Graphics::Rectangle client = GetClientAreaBounds();
    client_->setGeometry(client.x, client.y, client.width, client.height);
}

void Popup::Paint(QPainter& painter)
{
    const QRect box = GetWidget()->rect().adjusted(1, 1, -1, -1);
    painter.setPen(QPen(UiTheme::Divider(), 2));
    painter.setBrush(UiTheme::PopupBackground());
    painter.drawRoundedRect(box, 14, 14);
    if (!hasTitle_)
        return;
    painter.setPen(UiTheme::Text());
    painter.setFont(UiTheme::Font(UiTheme::TitleTextSize - 2, true));
    painter.drawText(QRect(20, 0, box.width() - 40, UiTheme::PopupTitleHeight), Qt::AlignCenter,
        painter.fontMetrics().elidedText(QtBridge::ToQString(title_), Qt::ElideRight, box.width() - 40));
    painter.fillRect(QRect(16, UiTheme::PopupTitleHeight - 2, box.width() - 32, 2), UiTheme::Accent());
}

void Popup::UpdateLayer() const
{
    if (Frame* frame = Frame::GetActiveFrame())
        frame->GetWindow().UpdatePopupHost();
}

}  // namespace Ixa::Ui::Controls
