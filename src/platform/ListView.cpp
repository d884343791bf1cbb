#include "platform/ListView.h"

#include "platform/ListContextItem.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QPainter>

#include <cstdlib>

namespace Ixa::Ui::Controls {

namespace {

constexpr int DefaultRowHeight = 100;
constexpr int DragThreshold = 12;
constexpr int SweepThreshold = 80;

}  // namespace

ListView::ListView() = default;

ListView::~ListView()
{
    DestroyWidget();
    Release();
}

result ListView::Construct(const Graphics::Rectangle& rect, bool itemDivider, bool)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) { Paint(painter); };
    widget->onPress = [this](const QPoint& point) { Press(point); };
    widget->onMove = [this](const QPoint& point) { Move(point); };
    widget->onRelease = [this](const QPoint& point) { Tap(point); };
    widget->onWheel = [this](int delta) {
        scroll_ -= delta / 2;
        ClampScroll();
        RequestRedraw();
    };
    divider_ = itemDivider;
    longPress_.Construct(*this);
    AdoptWidget(widget, rect);
    return E_SUCCESS;
}

result ListView::SetItemProvider(IListViewItemProvider& provider)
{
    provider_ = &provider;
    return UpdateList();
}

void ListView::Release()
{
    const int width = GetWidth();
    for (size_t i = 0; i < items_.size(); ++i) {
        ListItemBase* item = items_[i];
        if (item != nullptr && (provider_ == nullptr || !provider_->DeleteItem(static_cast<int>(i), item, width)))
            delete item;
        items_[i] = nullptr;
    }
}

result ListView::UpdateList()
{
    if (provider_ == nullptr)
        return E_INVALID_STATE;
    Release();
    const int count = std::max(0, provider_->GetItemCount());
    items_.assign(static_cast<size_t>(count), nullptr);
    checked_.clear();
    contextRow_ = -1;
    pressedRow_ = -1;
    ClampScroll();
    RequestRedraw();
    return E_SUCCESS;
}

result ListView::RefreshList(int index, ListRefreshType type)
{
    if (provider_ == nullptr)
        return E_INVALID_STATE;
    const int count = GetItemCount();
    const int width = GetWidth();
    if (type == LIST_REFRESH_TYPE_ITEM_ADD) {
        if (index < 0 || index > count)
            return E_OUT_OF_RANGE;
        items_.insert(items_.begin() + index, nullptr);
    } else {
        if (index < 0 || index >= count)
            return E_OUT_OF_RANGE;
        ListItemBase* old = items_[static_cast<size_t>(index)];
        if (old != nullptr && !provider_->DeleteItem(index, old, width))
            delete old;
        if (type == LIST_REFRESH_TYPE_ITEM_REMOVE)
            items_.erase(items_.begin() + index);
        else
            items_[static_cast<size_t>(index)] = nullptr;
    }
    if (type != LIST_REFRESH_TYPE_ITEM_MODIFY) {
        std::set<int> moved;
        for (int row : checked_) {
            if (row < index)
                moved.insert(row);
            else if (type == LIST_REFRESH_TYPE_ITEM_ADD)
                moved.insert(row + 1);
            else if (row > index)
                moved.insert(row - 1);
        }
        checked_.swap(moved);
        contextRow_ = -1;
    }
    ClampScroll();
    RequestRedraw();
    return E_SUCCESS;
}

void ListView::EnsureItems(int last)
{
    if (provider_ == nullptr)
        return;
    const int width = GetWidth();
    for (int i = 0; i <= last && i < GetItemCount(); ++i) {
        if (items_[static_cast<size_t>(i)] == nullptr)
            items_[static_cast<size_t>(i)] = provider_->CreateItem(i, width);
    }
}

ListItemBase* ListView::GetItemAt(int index)
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    EnsureItems(index);
    return items_[static_cast<size_t>(index)];
}

int ListView::RowHeight(int index) const
{
    const ListItemBase* item = items_[static_cast<size_t>(index)];
    return item != nullptr ? item->GetSize().height : DefaultRowHeight;
}

int ListView::RowTop(int index)
{
    EnsureItems(index - 1);
    int top = 0;
    for (int i = 0; i < index; ++i)
        top += RowHeight(i);
    return top;
}

int ListView::ContentHeight() const
{
    int height = 0;
    for (int i = 0; i < GetItemCount(); ++i)
        height += RowHeight(i);
    return height;
}

void ListView::ClampScroll() { scroll_ = std::max(0, std::min(scroll_, ContentHeight() - GetHeight())); }

result ListView::ScrollToItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return E_OUT_OF_RANGE;
    ShowItem(index);
    return E_SUCCESS;
}

Graphics::Rectangle ListView::ShowItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return Graphics::Rectangle();
    const int top = RowTop(index);
    EnsureItems(index);
    const int height = RowHeight(index);
    if (top < scroll_)
        scroll_ = top;
    else if (top + height > scroll_ + GetHeight())
        scroll_ = top + height - GetHeight();
    ClampScroll();
    RequestRedraw();
    return Graphics::Rectangle(0, top - scroll_, GetWidth(), height);
}

result ListView::SetItemChecked(int index, bool check)
{
    if (index < 0 || index >= GetItemCount())
        return E_OUT_OF_RANGE;
    if (check)
        checked_.insert(index);
    else
        checked_.erase(index);
    RequestRedraw();
    return E_SUCCESS;
}

bool ListView::IsItemChecked(int index) const { return checked_.count(index) > 0; }

int ListView::GetItemIndexFromPosition(const Graphics::Point& position) const
{
    int top = -scroll_;
    for (int i = 0; i < GetItemCount(); ++i) {
        const int height = RowHeight(i);
        if (position.y >= top && position.y < top + height)
            return i;
        top += height;
    }
    return -1;
}

int ListView::GetTopDrawnItemIndex() const { return GetItemIndexFromPosition(Graphics::Point(0, 0)); }

result ListView::SetTextOfEmptyList(const Base::String& text)
{
    emptyText_ = text;
    RequestRedraw();
    return E_SUCCESS;
}

result ListView::SetBitmapOfEmptyList(const Graphics::Bitmap* bitmap)
{
    emptyBitmap_.reset();
    if (bitmap != nullptr) {
        emptyBitmap_ = std::make_unique<Graphics::Bitmap>();
        emptyBitmap_->Construct(*bitmap);
    }
    RequestRedraw();
    return E_SUCCESS;
}

result ListView::SetSweepEnabled(bool enable)
{
    sweep_ = enable;
    return E_SUCCESS;
}

result ListView::OpenContextItem(int index)
{
    ListItemBase* item = GetItemAt(index);
    if (item == nullptr || item->GetContextItem() == nullptr)
        return E_INVALID_OPERATION;
    contextRow_ = index;
    ShowItem(index);
    return E_SUCCESS;
}

std::vector<Graphics::Rectangle> ListView::GetContextElementBounds() const
{
    std::vector<Graphics::Rectangle> bounds;
    if (contextRow_ < 0)
        return bounds;
    const ListItemBase* item = items_[static_cast<size_t>(contextRow_)];
    const int count = static_cast<int>(item->GetContextItem()->GetElements().size());
    int top = -scroll_;
    for (int i = 0; i < contextRow_; ++i)
        top += RowHeight(i);
    const int width = GetWidth();
    for (int i = 0; i < count; ++i) {
        const int left = width * i / count;
        bounds.emplace_back(left + 6, top + 14, width * (i + 1) / count - left - 12, item->GetSize().height - 28);
    }
    return bounds;
}

void ListView::Press(const QPoint& point)
{
    pressX_ = point.x();
    pressY_ = point.y();
    scrollAtPress_ = scroll_;
    dragging_ = false;
    swept_ = false;
    pressedRow_ = GetItemIndexFromPosition(Graphics::Point(point.x(), point.y()));
    longPress_.Start(500);
    RequestRedraw();
}

void ListView::Move(const QPoint& point)
{
    const int dx = point.x() - pressX_;
    const int dy = point.y() - pressY_;
    if (!dragging_ && !swept_ && std::abs(dy) > DragThreshold) {
        dragging_ = true;
        longPress_.Cancel();
        pressedRow_ = -1;
    }
    if (dragging_) {
        scroll_ = scrollAtPress_ - dy;
        ClampScroll();
        RequestRedraw();
        return;
    }
    if (!swept_ && sweep_ && std::abs(dx) > SweepThreshold && pressedRow_ >= 0) {
        swept_ = true;
        longPress_.Cancel();
        const int row = pressedRow_;
        pressedRow_ = -1;
        OpenContextItem(row);
        itemListeners_.Notify([&](IListViewItemEventListener& listener) {
            listener.OnListViewItemSwept(*this, row, dx < 0 ? SWEEP_DIRECTION_LEFT : SWEEP_DIRECTION_RIGHT);
        });
    }
}

void ListView::OnTimerExpired(Base::Runtime::Timer&)
{
    if (pressedRow_ < 0)
        return;
    const int row = pressedRow_;
    pressedRow_ = -1;
    // The release that follows a long press does not tap the row.
    swept_ = true;
    OpenContextItem(row);
}

void ListView::Tap(const QPoint& point)
{
    longPress_.Cancel();
    const int row = pressedRow_;
    pressedRow_ = -1;
    RequestRedraw();
    if (dragging_ || swept_ || row < 0)
        return;
    const Graphics::Point position(point.x(), point.y());
    if (GetItemIndexFromPosition(position) != row)
        return;
    int top = -scroll_;
    for (int i = 0; i < row; ++i)
        top += RowHeight(i);
    TapRow(row, Graphics::Point(position.x, position.y - top));
}

void ListView::TapRow(int index, const Graphics::Point& inRow)
{
    ListItemBase* item = items_[static_cast<size_t>(index)];
    if (item == nullptr)
        return;
    if (contextRow_ == index) {
        // The context buttons are placed in list coordinates.
        const Graphics::Point inList(inRow.x, inRow.y + RowTop(index) - scroll_);
        const std::vector<Graphics::Rectangle> bounds = GetContextElementBounds();
        const auto& elements = item->GetContextItem()->GetElements();
        contextRow_ = -1;
        for (size_t i = 0; i < bounds.size(); ++i) {
            if (!bounds[i].Contains(inList) || !elements[i].enabled)
                continue;
            const int elementId = elements[i].id;
            itemListeners_.Notify([&](IListViewItemEventListener& listener) {
                listener.OnListViewContextItemStateChanged(*this, index, elementId, LIST_CONTEXT_ITEM_STATUS_SELECTED);
            });
            return;
        }
        return;
    }
    contextRow_ = -1;
    Graphics::LinkType type = Graphics::LINK_TYPE_NONE;
    Base::String link;
    Base::String text;
    if (!linkListeners_.IsEmpty() && IsSucceeded(item->GetLinkAt(inRow, type, link, text))) {
        linkListeners_.Notify([&](IUiLinkEventListener& listener) { listener.OnLinkClicked(*this, text, type, link); });
        return;
    }
    ListItemStatus status = LIST_ITEM_STATUS_SELECTED;
    if (item->GetAnnexStyle() == LIST_ANNEX_STYLE_MARK || item->GetAnnexStyle() == LIST_ANNEX_STYLE_ONOFF_SLIDING) {
        const bool check = !IsItemChecked(index);
        SetItemChecked(index, check);
        status = check ? LIST_ITEM_STATUS_CHECKED : LIST_ITEM_STATUS_UNCHECKED;
    }
    const int elementId = item->GetElementIdAt(inRow);
    itemListeners_.Notify([&](IListViewItemEventListener& listener) { listener.OnListViewItemStateChanged(*this, index, elementId, status); });
}

void ListView::Paint(QPainter& painter)
{
    painter.fillRect(GetWidget()->rect(), UiTheme::Background());
    if (GetItemCount() == 0) {
        PaintEmpty(painter);
        return;
    }
    int top = -scroll_;
    for (int i = 0; i < GetItemCount() && top < GetHeight(); ++i) {
        EnsureItems(i);
        const int height = RowHeight(i);
        if (top + height > 0) {
            if (i == contextRow_)
                PaintContext(painter, i, top);
            else
                PaintRow(painter, i, top);
        }
        top += height;
    }
}

void ListView::PaintRow(QPainter& painter, int index, int top)
{
    const ListItemBase* item = items_[static_cast<size_t>(index)];
    if (item == nullptr)
        return;
    const int width = GetWidth();
    const int height = item->GetSize().height;
    const bool pressed = index == pressedRow_;
    painter.fillRect(QRect(0, top, width, height), pressed ? UiTheme::RowPressed() : UiTheme::Row());
    painter.save();
    painter.translate(0, top);
    painter.setClipRect(QRect(0, 0, width, height));
    Graphics::Canvas canvas;
    canvas.ConstructOver(painter, Graphics::Rectangle(0, 0, width, height));
    item->Draw(canvas, pressed ? LIST_ITEM_DRAWING_STATUS_PRESSED : LIST_ITEM_DRAWING_STATUS_NORMAL);
    if (item->GetAnnexStyle() == LIST_ANNEX_STYLE_MARK || item->GetAnnexStyle() == LIST_ANNEX_STYLE_ONOFF_SLIDING) {
        const QRect box(width - 56, height / 2 - 17, 34, 34);
        const bool checked = IsItemChecked(index);
        painter.setPen(QPen(checked ? UiTheme::Accent() : UiTheme::SecondaryText(), 2));
        painter.setBrush(checked ? UiTheme::Accent() : Qt::transparent);
        painter.drawRoundedRect(box, 6, 6);
        if (checked) {
            painter.setPen(QPen(UiTheme::Text(), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(QPolygon({box.topLeft() + QPoint(8, 17), box.topLeft() + QPoint(15, 25), box.topLeft() + QPoint(27, 9)}));
        }
    } else if (item->GetAnnexStyle() == LIST_ANNEX_STYLE_DETAILED) {
        painter.setPen(QPen(UiTheme::SecondaryText(), 3));
        painter.drawPolyline(QPolygon({QPoint(width - 40, height / 2 - 10), QPoint(width - 30, height / 2), QPoint(width - 40, height / 2 + 10)}));
    }
    painter.restore();
    if (divider_)
        painter.fillRect(QRect(0, top + height - 1, width, 1), UiTheme::Divider());
}

void ListView::PaintContext(QPainter& painter, int index, int top)
{
    const ListItemBase* item = items_[static_cast<size_t>(index)];
    painter.fillRect(QRect(0, top, GetWidth(), item->GetSize().height), UiTheme::BarDark());
    const std::vector<Graphics::Rectangle> bounds = GetContextElementBounds();
    const auto& elements = item->GetContextItem()->GetElements();
    painter.setFont(UiTheme::Font(UiTheme::SmallTextSize));
    for (size_t i = 0; i < bounds.size(); ++i) {
        const QRect rect = QtBridge::ToQRect(bounds[i]);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x34, 0x50, 0x6e));
        painter.drawRoundedRect(rect, 8, 8);
        painter.setPen(elements[i].enabled ? UiTheme::Text() : UiTheme::DisabledText());
        painter.drawText(rect, Qt::AlignCenter, painter.fontMetrics().elidedText(QtBridge::ToQString(elements[i].text), Qt::ElideRight, rect.width() - 8));
    }
}

void ListView::PaintEmpty(QPainter& painter)
{
    const QRect area = GetWidget()->rect();
    int textTop = area.height() / 2 - 20;
    if (emptyBitmap_) {
        const QImage& image = emptyBitmap_->GetImage();
        const QPoint topLeft(area.width() / 2 - image.width() / 2, area.height() / 2 - image.height() - 10);
        painter.drawImage(topLeft, image);
        textTop = area.height() / 2 + 4;
    }
    painter.setFont(UiTheme::Font(UiTheme::TextSize));
    painter.setPen(UiTheme::SecondaryText());
    painter.drawText(QRect(20, textTop, area.width() - 40, 80), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, QtBridge::ToQString(emptyText_));
}

}  // namespace Ixa::Ui::Controls
