#include "platform/Header.h"

#include "platform/BitmapCopy.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QFontMetrics>
#include <QPainter>

namespace Ixa::Ui::Controls {

namespace {

constexpr int IconButtonWidth = 76;
constexpr int Margin = 12;

}  // namespace

Header::Header() = default;

void Header::Construct(const Graphics::Rectangle& bounds) { ConstructBar(bounds, QtBridge::FromQColor(UiTheme::Bar())); }

result Header::SetTitleText(const Base::String& text)
{
    title_ = text;
    RequestRedraw();
    return E_SUCCESS;
}

result Header::SetTitleIcon(const Graphics::Bitmap* icon)
{
    icon_ = Graphics::BitmapCopy::Make(icon);
    RequestRedraw();
    return E_SUCCESS;
}

result Header::SetButton(ButtonPosition position, const ButtonItem& button)
{
    buttons_[position] = button;
    enabled_[position] = true;
    Relayout();
    return E_SUCCESS;
}

result Header::RemoveButton(ButtonPosition position)
{
    buttons_[position].reset();
    Relayout();
    return E_SUCCESS;
}

void Header::RemoveAllButtons()
{
    buttons_[0].reset();
    buttons_[1].reset();
    Relayout();
}

result Header::SetButtonEnabled(ButtonPosition position, bool enable)
{
    if (!buttons_[position])
        return E_INVALID_OPERATION;
    enabled_[position] = enable;
    Relayout();
    return E_SUCCESS;
}

void Header::Relayout()
{
    const Graphics::Rectangle bounds = GetBounds();
    std::vector<Slot> laidOut;
    int right = bounds.width;
    for (int position = BUTTON_POSITION_RIGHT; position >= BUTTON_POSITION_LEFT; --position) {
        if (!buttons_[position])
            continue;
        const ButtonItem& button = *buttons_[position];
        const Graphics::Bitmap* icon = button.GetIcon(BUTTON_ITEM_STATUS_NORMAL);
        const int width = icon != nullptr ? IconButtonWidth
            : QFontMetrics(UiTheme::Font(UiTheme::SmallTextSize + 2)).horizontalAdvance(QtBridge::ToQString(button.GetText())) + 40;
        right -= width;
        Slot slot;
        slot.area.rect = Graphics::Rectangle(right, 0, width, bounds.height);
        slot.area.actionId = button.GetActionId();
        slot.area.text = button.GetText();
        slot.area.enabled = enabled_[position];
        slot.area.hasIcon = icon != nullptr;
        slot.icon = Graphics::BitmapCopy::Make(icon);
        laidOut.insert(laidOut.begin(), slot);
    }
    SetSlots(std::move(laidOut));
}

int Header::TitleLeft() const { return icon_ ? Margin + 56 : Margin + 4; }

void Header::PaintContent(QPainter& painter)
{
    const Graphics::Rectangle bounds = GetBounds();
    if (icon_)
        painter.drawImage(QRect(Margin, (bounds.height - 48) / 2, 48, 48), icon_->GetImage());
    const int right = GetSlots().empty() ? bounds.width - Margin : GetSlots().front().area.rect.x;
    painter.setFont(UiTheme::Font(UiTheme::TitleTextSize, true));
    painter.setPen(UiTheme::Text());
    const QRect titleRect(TitleLeft(), 0, right - TitleLeft() - 4, bounds.height);
    painter.drawText(titleRect, Qt::AlignVCenter | Qt::AlignLeft,
        painter.fontMetrics().elidedText(QtBridge::ToQString(title_), Qt::ElideRight, titleRect.width()));
}

}  // namespace Ixa::Ui::Controls
