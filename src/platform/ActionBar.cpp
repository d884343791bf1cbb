#include "platform/ActionBar.h"

#include "platform/IActionEventListener.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui {

ActionBar::ActionBar() = default;

ActionBar::~ActionBar() { DestroyWidget(); }

void ActionBar::AddActionEventListener(IActionEventListener& listener) { actionListeners_.Add(listener); }

void ActionBar::RemoveActionEventListener(IActionEventListener& listener) { actionListeners_.Remove(listener); }

std::vector<ActionArea> ActionBar::GetActionAreas() const
{
    std::vector<ActionArea> areas;
    for (const Slot& slot : slots_)
        areas.push_back(slot.area);
    return areas;
}

void ActionBar::ConstructBar(const Graphics::Rectangle& bounds, const Graphics::Color& background)
{
    background_ = background;
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) { Paint(painter); };
    widget->onPress = [this](const QPoint& point) {
        pressed_ = SlotAt(point);
        RequestRedraw();
    };
    widget->onRelease = [this](const QPoint& point) { Release(point); };
    AdoptWidget(widget, bounds);
    Relayout();
}

void ActionBar::SetSlots(std::vector<Slot> laidOut)
{
    slots_ = std::move(laidOut);
    pressed_ = -1;
    RequestRedraw();
}

void ActionBar::NotifyAction(int actionId)
{
    actionListeners_.Notify([&](IActionEventListener& listener) { listener.OnActionPerformed(*this, actionId); });
}

void ActionBar::OnSlotTapped(const Slot& slot) { NotifyAction(slot.area.actionId); }

void ActionBar::Release(const QPoint& point)
{
    const int pressed = pressed_;
    pressed_ = -1;
    RequestRedraw();
    if (pressed < 0 || pressed != SlotAt(point) || !slots_[static_cast<size_t>(pressed)].area.enabled)
        return;
    // The listener may change the laidOut; act on a copy.
    const Slot slot = slots_[static_cast<size_t>(pressed)];
    OnSlotTapped(slot);
}

int ActionBar::SlotAt(const QPoint& point) const
{
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].area.rect.Contains(Graphics::Point(point.x(), point.y())))
            return static_cast<int>(i);
    }
    return -1;
}

void ActionBar::Paint(QPainter& painter)
{
    const Graphics::Rectangle bounds = GetBounds();
    painter.fillRect(0, 0, bounds.width, bounds.height, QtBridge::ToQColor(background_));
    PaintContent(painter);
    for (size_t i = 0; i < slots_.size(); ++i)
        PaintSlot(painter, slots_[i], static_cast<int>(i) == pressed_);
}

void ActionBar::PaintSlot(QPainter& painter, const Slot& slot, bool pressed)
{
    const QRect rect = QtBridge::ToQRect(slot.area.rect).adjusted(4, 8, -4, -8);
    if (pressed)
        painter.fillRect(rect, UiTheme::RowPressed());
    if (slot.area.selected) {
        painter.fillRect(rect.adjusted(0, 0, 0, 0), UiTheme::Background());
        painter.fillRect(QRect(rect.left(), rect.bottom() - 4, rect.width(), 5), UiTheme::Accent());
    }
    if (slot.icon) {
        const QImage& image = slot.icon->GetImage();
        const QSize size = image.size().scaled(rect.size() - QSize(8, 8), Qt::KeepAspectRatio).boundedTo(image.size());
        const QRect target(rect.center().x() - size.width() / 2 + 1, rect.center().y() - size.height() / 2 + 1, size.width(), size.height());
        painter.setOpacity(slot.area.enabled ? 1.0 : 0.4);
        painter.drawImage(target, image);
        painter.setOpacity(1.0);
        return;
    }
    const QString label = QtBridge::ToQString(slot.area.text);
    int size = UiTheme::SmallTextSize + 2;
    painter.setFont(UiTheme::Font(size, slot.area.selected));
    // A long label gets a smaller font before it is cut short.
    while (size > UiTheme::SmallTextSize - 6 && painter.fontMetrics().horizontalAdvance(label) > rect.width() - 8)
        painter.setFont(UiTheme::Font(--size, slot.area.selected));
    painter.setPen(slot.area.enabled ? UiTheme::Text() : UiTheme::DisabledText());
    const QString text = painter.fontMetrics().elidedText(label, Qt::ElideRight, rect.width() - 8);
    painter.drawText(rect, Qt::AlignCenter, text);
}

}  // namespace Ixa::Ui
