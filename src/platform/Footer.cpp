#include "platform/Footer.h"

#include "platform/BitmapCopy.h"
#include "platform/Form.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QPainter>
#include <QPainterPath>

namespace Ixa::Ui::Controls {

namespace {

constexpr int ButtonWidth = 84;
constexpr int ItemTag = 0;
constexpr int LeftButtonTag = 1;
constexpr int RightButtonTag = 2;
constexpr int BackTag = 3;

// The back button is the platform's own: a bent arrow.
std::shared_ptr<const Graphics::Bitmap> BackIcon()
{
    static const std::shared_ptr<const Graphics::Bitmap> icon = [] {
        QImage image(44, 44, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(UiTheme::Text(), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath path;
        path.moveTo(36, 34);
        path.lineTo(36, 18);
        path.lineTo(8, 18);
        painter.drawPath(path);
        painter.drawLine(8, 18, 18, 8);
        painter.drawLine(8, 18, 18, 28);
        painter.end();
        auto bitmap = std::make_shared<Graphics::Bitmap>();
        bitmap->Construct(image, false);
        return bitmap;
    }();
    return icon;
}

}  // namespace

Footer::Footer(Form& form) : form_(form) {}

void Footer::Construct(const Graphics::Rectangle& bounds) { ConstructBar(bounds, QtBridge::FromQColor(UiTheme::BarDark())); }

result Footer::SetStyle(FooterStyle style)
{
    style_ = style;
    if (style_ == FOOTER_STYLE_TAB && selected_ < 0 && !items_.empty())
        selected_ = 0;
    Relayout();
    return E_SUCCESS;
}

result Footer::AddItem(const FooterItem& item) { return InsertItemAt(GetItemCount(), item); }

result Footer::InsertItemAt(int index, const FooterItem& item)
{
    if (index < 0 || index > GetItemCount())
        return E_OUT_OF_RANGE;
    items_.insert(items_.begin() + index, Entry{item, true});
    if (style_ == FOOTER_STYLE_TAB && selected_ < 0)
        selected_ = 0;
    Relayout();
    return E_SUCCESS;
}

result Footer::SetItemAt(int index, const FooterItem& item)
{
    if (index < 0 || index >= GetItemCount())
        return E_OUT_OF_RANGE;
    items_[static_cast<size_t>(index)].item = item;
    Relayout();
    return E_SUCCESS;
}

result Footer::RemoveItemAt(int index)
{
    if (index < 0 || index >= GetItemCount())
        return E_OUT_OF_RANGE;
    items_.erase(items_.begin() + index);
    if (selected_ >= GetItemCount())
        selected_ = GetItemCount() - 1;
    Relayout();
    return E_SUCCESS;
}

void Footer::RemoveAllItems()
{
    items_.clear();
    selected_ = -1;
    Relayout();
}

result Footer::SetItemEnabled(int index, bool enable)
{
    if (index < 0 || index >= GetItemCount())
        return E_OUT_OF_RANGE;
    items_[static_cast<size_t>(index)].enabled = enable;
    Relayout();
    return E_SUCCESS;
}

bool Footer::IsItemEnabled(int index) const
{
    return index >= 0 && index < GetItemCount() && items_[static_cast<size_t>(index)].enabled;
}

result Footer::SetItemSelected(int index)
{
    if (index < 0 || index >= GetItemCount())
        return E_OUT_OF_RANGE;
    selected_ = index;
    Relayout();
    return E_SUCCESS;
}

result Footer::SetButton(ButtonPosition position, const ButtonItem& button)
{
    buttons_[position] = button;
    Relayout();
    return E_SUCCESS;
}

result Footer::RemoveButtonAt(ButtonPosition position)
{
    buttons_[position].reset();
    Relayout();
    return E_SUCCESS;
}

result Footer::SetBackButton()
{
    hasBack_ = true;
    Relayout();
    return E_SUCCESS;
}

result Footer::RemoveBackButton()
{
    hasBack_ = false;
    Relayout();
    return E_SUCCESS;
}

result Footer::SetBackButtonEnabled(bool enable)
{
    backEnabled_ = enable;
    Relayout();
    return E_SUCCESS;
}

Footer::Slot Footer::MakeButtonSlot(const ButtonItem& button, int x, int width, int tag) const
{
    Slot slot;
    slot.area.rect = Graphics::Rectangle(x, 0, width, GetBounds().height);
    slot.area.actionId = button.GetActionId();
    slot.area.text = button.GetText();
    slot.icon = Graphics::BitmapCopy::Make(button.GetIcon(BUTTON_ITEM_STATUS_NORMAL));
    slot.area.hasIcon = slot.icon != nullptr;
    slot.tag = tag;
    return slot;
}

void Footer::Relayout()
{
    const Graphics::Rectangle bounds = GetBounds();
    std::vector<Slot> laidOut;
    int left = 0;
    int right = bounds.width;
    if (hasBack_) {
        right -= ButtonWidth;
        Slot back;
        back.area.rect = Graphics::Rectangle(right, 0, ButtonWidth, bounds.height);
        back.area.actionId = BACK_ACTION_ID;
        back.area.text = "Back";
        back.area.enabled = backEnabled_;
        back.tag = BackTag;
        back.icon = BackIcon();
        back.area.hasIcon = true;
        laidOut.push_back(back);
    }
    if (buttons_[BUTTON_POSITION_RIGHT]) {
        right -= ButtonWidth;
        laidOut.push_back(MakeButtonSlot(*buttons_[BUTTON_POSITION_RIGHT], right, ButtonWidth, RightButtonTag));
    }
    if (buttons_[BUTTON_POSITION_LEFT]) {
        laidOut.push_back(MakeButtonSlot(*buttons_[BUTTON_POSITION_LEFT], left, ButtonWidth, LeftButtonTag));
        left += ButtonWidth;
    }
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        const Entry& entry = items_[static_cast<size_t>(i)];
        Slot slot;
        const int x = left + (right - left) * i / count;
        slot.area.rect = Graphics::Rectangle(x, 0, left + (right - left) * (i + 1) / count - x, bounds.height);
        slot.area.actionId = entry.item.GetActionId();
        slot.area.text = entry.item.GetText();
        slot.area.enabled = entry.enabled;
        slot.area.selected = style_ == FOOTER_STYLE_TAB && i == selected_;
        slot.icon = Graphics::BitmapCopy::Make(entry.item.GetIcon());
        slot.area.hasIcon = slot.icon != nullptr && entry.item.GetText().IsEmpty();
        if (!slot.area.hasIcon)
            slot.icon.reset();
        slot.tag = ItemTag + i * 16;
        laidOut.push_back(slot);
    }
    SetSlots(std::move(laidOut));
}

void Footer::PaintContent(QPainter& painter) { painter.fillRect(0, 0, GetBounds().width, 1, UiTheme::Divider()); }

void Footer::OnSlotTapped(const Slot& slot)
{
    if (slot.tag == BackTag) {
        form_.RequestBack();
        return;
    }
    if (style_ == FOOTER_STYLE_TAB && slot.tag % 16 == 0 && slot.tag / 16 < GetItemCount()
        && slot.area.actionId == items_[static_cast<size_t>(slot.tag / 16)].item.GetActionId()) {
        selected_ = slot.tag / 16;
        Relayout();
    }
    NotifyAction(slot.area.actionId);
}

}  // namespace Ixa::Ui::Controls
