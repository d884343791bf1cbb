#include "platform/IconListView.h"

#include "platform/Canvas.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/RowListBase.h"
#include "platform/UiTheme.h"

#include <QPainter>

namespace Ixa::Ui::Controls {

namespace {

constexpr int Padding = 12;
constexpr int CaptionHeight = 30;

}  // namespace

IconListView::IconListView() = default;

IconListView::~IconListView()
{
    DestroyWidget();
    Release();
}

result IconListView::Construct(const Graphics::Rectangle& rect, const Graphics::Dimension& itemBitmapSize, IconListViewStyle style)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    if (itemBitmapSize.width <= 0 || itemBitmapSize.height <= 0)
        return E_INVALID_ARG;
    bitmapSize_ = itemBitmapSize;
    style_ = style;
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) { Paint(painter); };
    widget->onPress = [this](const QPoint& point) { Press(point); };
    widget->onMove = [this](const QPoint& point) { Move(point); };
    widget->onRelease = [this](const QPoint& point) { Tap(point); };
    widget->onWheel = [this](int delta) {
        scroll_.ScrollBy(-delta / 2);
        ClampScroll();
        RequestRedraw();
    };
    AdoptWidget(widget, rect);
    return E_SUCCESS;
}

result IconListView::SetItemProvider(IIconListViewItemProvider& provider)
{
    provider_ = &provider;
    return UpdateList();
}

void IconListView::ReleaseItem(int index)
{
    IconListViewItem*& item = items_[static_cast<size_t>(index)];
    if (item != nullptr && (provider_ == nullptr || !provider_->DeleteItem(index, item)))
        delete item;
    item = nullptr;
}

void IconListView::Release()
{
    for (int i = 0; i < GetItemCount(); ++i)
        ReleaseItem(i);
}

result IconListView::UpdateList()
{
    if (provider_ == nullptr)
        return E_INVALID_STATE;
    Release();
    items_.assign(static_cast<size_t>(std::max(0, provider_->GetItemCount())), nullptr);
    checked_.clear();
    pressed_ = -1;
    ClampScroll();
    RequestRedraw();
    return E_SUCCESS;
}

result IconListView::RefreshList(int index, ListRefreshType type)
{
    if (provider_ == nullptr)
        return E_INVALID_STATE;
    if (type == LIST_REFRESH_TYPE_ITEM_ADD) {
        if (index < 0 || index > GetItemCount())
            return E_OUT_OF_RANGE;
        items_.insert(items_.begin() + index, nullptr);
    } else {
        if (index < 0 || index >= GetItemCount())
            return E_OUT_OF_RANGE;
        ReleaseItem(index);
        if (type == LIST_REFRESH_TYPE_ITEM_REMOVE)
            items_.erase(items_.begin() + index);
    }
    checked_ = RowListBase::ShiftIndexes(checked_, index, type);
    pressed_ = -1;
    ClampScroll();
    RequestRedraw();
    return E_SUCCESS;
}

result IconListView::SetItemChecked(int index, bool check)
{
    return RowListBase::SetIndexChecked(*this, checked_, GetItemCount(), index, check);
}

IconListViewItem* IconListView::GetItemAt(int index)
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    IconListViewItem*& item = items_[static_cast<size_t>(index)];
    if (item == nullptr && provider_ != nullptr) {
        item = provider_->CreateItem(index);
        if (item != nullptr && !item->GetText().IsEmpty())
            hasCaptions_ = true;
    }
    return item;
}

int IconListView::Columns() const { return std::max(1, GetWidth() / CellSize().width); }

Graphics::Dimension IconListView::CellSize() const
{
    return Graphics::Dimension(bitmapSize_.width + 2 * Padding, bitmapSize_.height + 2 * Padding + (hasCaptions_ ? CaptionHeight : 0));
}

int IconListView::ContentHeight() const
{
    const int lines = (GetItemCount() + Columns() - 1) / Columns();
    return lines * CellSize().height;
}

void IconListView::ClampScroll() { scroll_.Clamp(ContentHeight(), GetHeight()); }

Graphics::Rectangle IconListView::GetItemBounds(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return Graphics::Rectangle();
    const Graphics::Dimension cell = CellSize();
    const int columns = Columns();
    // The grid is centred across the width.
    const int left = (GetWidth() - columns * cell.width) / 2;
    return Graphics::Rectangle(left + index % columns * cell.width, index / columns * cell.height - scroll_.GetOffset(), cell.width, cell.height);
}

int IconListView::GetItemIndexFromPosition(const Graphics::Point& position) const
{
    const Graphics::Dimension cell = CellSize();
    const int left = (GetWidth() - Columns() * cell.width) / 2;
    const int y = position.y + scroll_.GetOffset();
    if (position.x < left || position.y < 0 || position.y >= GetHeight() || y < 0)
        return -1;
    const int column = (position.x - left) / cell.width;
    const int index = y / cell.height * Columns() + column;
    return column < Columns() && index < GetItemCount() ? index : -1;
}

result IconListView::ScrollToItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return E_OUT_OF_RANGE;
    const Graphics::Rectangle bounds = GetItemBounds(index);
    if (bounds.y < 0)
        scroll_.ScrollBy(bounds.y);
    else if (bounds.y + bounds.height > GetHeight())
        scroll_.ScrollBy(bounds.y + bounds.height - GetHeight());
    ClampScroll();
    RequestRedraw();
    return E_SUCCESS;
}

void IconListView::Press(const QPoint& point)
{
    scroll_.Press(point.x(), point.y());
    pressed_ = GetItemIndexFromPosition(Graphics::Point(point.x(), point.y()));
    RequestRedraw();
}

void IconListView::Move(const QPoint& point)
{
    if (!scroll_.Move(point.x(), point.y()))
        return;
    pressed_ = -1;
    ClampScroll();
    RequestRedraw();
}

void IconListView::Tap(const QPoint& point)
{
    const int index = pressed_;
    pressed_ = -1;
    RequestRedraw();
    if (scroll_.IsDragging() || index < 0 || GetItemIndexFromPosition(Graphics::Point(point.x(), point.y())) != index)
        return;
    IconListViewItemStatus status = ICON_LIST_VIEW_ITEM_SELECTED;
    if (style_ == ICON_LIST_VIEW_STYLE_MARK) {
        const bool check = !IsItemChecked(index);
        SetItemChecked(index, check);
        status = check ? ICON_LIST_VIEW_ITEM_CHECKED : ICON_LIST_VIEW_ITEM_UNCHECKED;
    }
    listeners_.Notify([&](IIconListViewItemEventListener& listener) { listener.OnIconListViewItemStateChanged(*this, index, status); });
}

void IconListView::Paint(QPainter& painter)
{
    painter.fillRect(GetWidget()->rect(), UiTheme::PopupBackground());
    for (int index = 0; index < GetItemCount(); ++index) {
        const Graphics::Rectangle bounds = GetItemBounds(index);
        if (bounds.y >= GetHeight())
            break;
        if (bounds.y + bounds.height > 0)
            PaintItem(painter, index);
    }
}

void IconListView::PaintItem(QPainter& painter, int index)
{
    const IconListViewItem* item = GetItemAt(index);
    if (item == nullptr)
        return;
    const Graphics::Rectangle cell = GetItemBounds(index);
    const bool marked = index == pressed_ || IsItemChecked(index);
    if (marked)
        painter.fillRect(QtBridge::ToQRect(cell).adjusted(4, 4, -4, -4), UiTheme::RowPressed());
    const Graphics::Bitmap* bitmap = marked && item->GetSelectedBitmap() != nullptr ? item->GetSelectedBitmap() : item->GetBitmap();
    Graphics::Canvas canvas;
    canvas.ConstructOver(painter, Graphics::Rectangle(0, 0, GetWidth(), GetHeight()));
    canvas.DrawBitmap(Graphics::Rectangle(cell.x + Padding, cell.y + Padding, bitmapSize_.width, bitmapSize_.height), *bitmap);
    if (item->GetText().IsEmpty())
        return;
    painter.setFont(UiTheme::Font(UiTheme::SmallTextSize));
    painter.setPen(UiTheme::Text());
    const QRect caption(cell.x, cell.y + Padding + bitmapSize_.height, cell.width, CaptionHeight);
    painter.drawText(caption, Qt::AlignCenter, painter.fontMetrics().elidedText(QtBridge::ToQString(item->GetText()), Qt::ElideRight, caption.width()));
}

}  // namespace Ixa::Ui::Controls
