#include "platform/RowListBase.h"

#include "platform/ListContextItem.h"
#include "platform/PaintedWidget.h"
#include "platform/QtBridge.h"
#include "platform/UiTheme.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdlib>

namespace Ixa::Ui::Controls {

namespace {

constexpr int SweepThreshold = 80;
constexpr int LongPressMilliseconds = 500;

bool IsCheckable(const ListItemBase& item)
{
    return item.GetAnnexStyle() == LIST_ANNEX_STYLE_MARK || item.GetAnnexStyle() == LIST_ANNEX_STYLE_ONOFF_SLIDING;
}

// The smallest size a context label shrinks to; below it, a word that still does not fit is cut.
constexpr int SmallestLabelSize = 12;
// The margin between a context button's edge and its label.
constexpr int ContextLabelInset = 4;

bool labelFits(const QString& label, int size, int width, int height)
{
    const QFontMetrics metrics(UiTheme::Font(size));
    for (const QString& word : label.split(' ', Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > width)
            return false;
    }
    return metrics.boundingRect(QRect(0, 0, width, 10 * height), Qt::TextWordWrap, label).height() <= height;
}

}  // namespace

RowListBase::RowListBase() = default;

RowListBase::~RowListBase() = default;

result RowListBase::ConstructRows(const Graphics::Rectangle& rect, bool itemDivider)
{
    if (GetWidget() != nullptr)
        return E_INVALID_STATE;
    auto* widget = new PaintedWidget;
    widget->onPaint = [this](QPainter& painter) { Paint(painter); };
    widget->onPress = [this](const QPoint& point) { Press(point); };
    widget->onMove = [this](const QPoint& point) { Move(point); };
    widget->onRelease = [this](const QPoint& point) { Release(point); };
    widget->onWheel = [this](int delta) {
        scroll_.ScrollBy(-delta / 2);
        ClampScroll();
        RequestRedraw();
    };
    divider_ = itemDivider;
    longPress_.Construct(*this);
    AdoptWidget(widget, rect);
    return E_SUCCESS;
}

result RowListBase::SetTextOfEmptyList(const Base::String& text)
{
    emptyText_ = text;
    RequestRedraw();
    return E_SUCCESS;
}

result RowListBase::SetBitmapOfEmptyList(const Graphics::Bitmap* bitmap)
{
    emptyBitmap_.reset();
    if (bitmap != nullptr) {
        emptyBitmap_ = std::make_unique<Graphics::Bitmap>();
        emptyBitmap_->Construct(*bitmap);
    }
    RequestRedraw();
    return E_SUCCESS;
}

result RowListBase::SetSweepEnabled(bool enable)
{
    sweep_ = enable;
    return E_SUCCESS;
}

std::set<int> RowListBase::ShiftIndexes(const std::set<int>& indexes, int index, ListRefreshType type)
{
    if (type == LIST_REFRESH_TYPE_ITEM_MODIFY)
        return indexes;
    std::set<int> moved;
    for (int kept : indexes) {
        if (kept < index)
            moved.insert(kept);
        else if (type == LIST_REFRESH_TYPE_ITEM_ADD)
            moved.insert(kept + 1);
        else if (kept > index)
            moved.insert(kept - 1);
    }
    return moved;
}

result RowListBase::SetIndexChecked(const Control& list, std::set<int>& checked, int count, int index, bool check)
{
    if (index < 0 || index >= count)
        return E_OUT_OF_RANGE;
    if (check)
        checked.insert(index);
    else
        checked.erase(index);
    list.RequestRedraw();
    return E_SUCCESS;
}

void RowListBase::RowsChanged()
{
    contextRow_ = -1;
    pressedRow_ = -1;
    RowRemade();
}

void RowListBase::RowRemade()
{
    ClampScroll();
    RequestRedraw();
}

ListItemBase* RowListBase::EnsureRow(int row)
{
    if (PeekRow(row) == nullptr && MakeRow(row) != nullptr)
        ++rowsMade_;
    return PeekRow(row);
}

int RowListBase::GetMadeRowCount() const
{
    int made = 0;
    for (int row = 0; row < RowCount(); ++row)
        made += PeekRow(row) != nullptr ? 1 : 0;
    return made;
}

ListItemBase* RowListBase::GetRowItem(int row)
{
    if (row < 0 || row >= RowCount())
        return nullptr;
    return EnsureRow(row);
}

int RowListBase::RowHeight(int row) const
{
    const ListItemBase* item = PeekRow(row);
    return item != nullptr ? item->GetSize().height : UnmadeRowHeight(row);
}

int RowListBase::RowTop(int row) const
{
    int top = 0;
    for (int i = 0; i < row; ++i)
        top += RowHeight(i);
    return top;
}

int RowListBase::ContentHeight() const
{
    int height = 0;
    for (int row = 0; row < RowCount(); ++row)
        height += RowHeight(row);
    return height;
}

void RowListBase::ClampScroll() { scroll_.Clamp(ContentHeight(), GetHeight()); }

int RowListBase::GetRowIndexFromPosition(const Graphics::Point& position) const
{
    int top = -scroll_.GetOffset();
    for (int row = 0; row < RowCount(); ++row) {
        const int height = RowHeight(row);
        if (position.y >= top && position.y < top + height)
            return row;
        top += height;
    }
    return -1;
}

Graphics::Rectangle RowListBase::GetRowBounds(int row)
{
    if (row < 0 || row >= RowCount())
        return Graphics::Rectangle();
    EnsureRow(row);
    return Graphics::Rectangle(0, RowTop(row) - scroll_.GetOffset(), GetWidth(), RowHeight(row));
}

// A row brought in at the bottom shares the view with rows above it: they are made first, so
// that their own heights, not the estimates, place it.
Graphics::Rectangle RowListBase::ShowItem(int row)
{
    if (row < 0 || row >= RowCount())
        return Graphics::Rectangle();
    EnsureRow(row);
    int top = RowTop(row);
    if (top < scroll_.GetOffset()) {
        scroll_.SetOffset(top);
    } else if (top + RowHeight(row) > scroll_.GetOffset() + GetHeight()) {
        for (int above = row - 1, height = RowHeight(row); above >= 0 && height < GetHeight(); --above) {
            EnsureRow(above);
            height += RowHeight(above);
        }
        top = RowTop(row);
        scroll_.SetOffset(top + RowHeight(row) - GetHeight());
    }
    ClampScroll();
    RequestRedraw();
    return Graphics::Rectangle(0, top - scroll_.GetOffset(), GetWidth(), RowHeight(row));
}

result RowListBase::OpenContextRow(int row)
{
    ListItemBase* item = GetRowItem(row);
    if (item == nullptr || item->GetContextItem() == nullptr)
        return E_INVALID_OPERATION;
    contextRow_ = row;
    ShowItem(row);
    return E_SUCCESS;
}

std::vector<Graphics::Rectangle> RowListBase::GetContextElementBounds() const
{
    std::vector<Graphics::Rectangle> bounds;
    const ListItemBase* item = contextRow_ >= 0 ? PeekRow(contextRow_) : nullptr;
    if (item == nullptr || item->GetContextItem() == nullptr)
        return bounds;
    const int count = static_cast<int>(item->GetContextItem()->GetElements().size());
    int top = -scroll_.GetOffset();
    for (int row = 0; row < contextRow_; ++row)
        top += RowHeight(row);
    const int width = GetWidth();
    for (int i = 0; i < count; ++i) {
        const int left = width * i / count;
        bounds.emplace_back(left + 6, top + 14, width * (i + 1) / count - left - 12, item->GetSize().height - 28);
    }
    return bounds;
}

void RowListBase::Press(const QPoint& point)
{
    scroll_.Press(point.x(), point.y());
    swept_ = false;
    pressedRow_ = GetRowIndexFromPosition(Graphics::Point(point.x(), point.y()));
    longPress_.Start(LongPressMilliseconds);
    RequestRedraw();
}

void RowListBase::Move(const QPoint& point)
{
    if (swept_)
        return;
    const bool wasDragging = scroll_.IsDragging();
    if (scroll_.Move(point.x(), point.y())) {
        if (!wasDragging) {
            longPress_.Cancel();
            pressedRow_ = -1;
        }
        ClampScroll();
        RequestRedraw();
        return;
    }
    const int dx = point.x() - scroll_.GetPressX();
    if (!sweep_ || std::abs(dx) <= SweepThreshold || pressedRow_ < 0)
        return;
    swept_ = true;
    longPress_.Cancel();
    const int row = pressedRow_;
    pressedRow_ = -1;
    OpenContextRow(row);
    RowSwept(row, dx < 0 ? SWEEP_DIRECTION_LEFT : SWEEP_DIRECTION_RIGHT);
}

void RowListBase::OnTimerExpired(Base::Runtime::Timer&)
{
    if (pressedRow_ < 0)
        return;
    const int row = pressedRow_;
    pressedRow_ = -1;
    // The release that follows a long press does not tap the row.
    swept_ = true;
    OpenContextRow(row);
}

void RowListBase::Release(const QPoint& point)
{
    longPress_.Cancel();
    const int row = pressedRow_;
    pressedRow_ = -1;
    RequestRedraw();
    if (scroll_.IsDragging() || swept_ || row < 0)
        return;
    const Graphics::Point position(point.x(), point.y());
    if (GetRowIndexFromPosition(position) != row)
        return;
    const Graphics::Rectangle bounds = GetRowBounds(row);
    TapRow(row, Graphics::Point(position.x, position.y - bounds.y));
}

void RowListBase::TapContext(int row, const Graphics::Point& inList)
{
    const std::vector<Graphics::Rectangle> bounds = GetContextElementBounds();
    const ListContextItem* context = PeekRow(row)->GetContextItem();
    contextRow_ = -1;
    // A row remade while its context item was open may come back without one.
    if (context == nullptr)
        return;
    const auto& elements = context->GetElements();
    for (size_t i = 0; i < bounds.size(); ++i) {
        if (bounds[i].Contains(inList) && elements[i].enabled) {
            RowContextChosen(row, elements[i].id);
            return;
        }
    }
}

void RowListBase::TapRow(int row, const Graphics::Point& inRow)
{
    ListItemBase* item = PeekRow(row);
    if (item == nullptr)
        return;
    if (contextRow_ == row) {
        // The context buttons are placed in list coordinates.
        TapContext(row, Graphics::Point(inRow.x, inRow.y + GetRowBounds(row).y));
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
    if (IsCheckable(*item)) {
        const bool check = !RowChecked(row);
        SetRowChecked(row, check);
        status = check ? LIST_ITEM_STATUS_CHECKED : LIST_ITEM_STATUS_UNCHECKED;
    }
    RowTapped(row, item->GetElementIdAt(inRow), status);
}

void RowListBase::Paint(QPainter& painter)
{
    painter.fillRect(GetWidget()->rect(), UiTheme::Background());
    if (RowCount() == 0) {
        PaintEmpty(painter);
        return;
    }
    // Rows above the view are passed over at their heights as they stand (estimates for rows
    // never made); only the rows in view are made.
    int row = 0;
    int top = -scroll_.GetOffset();
    for (; row < RowCount() && top + RowHeight(row) <= 0; ++row)
        top += RowHeight(row);
    for (; row < RowCount() && top < GetHeight(); ++row) {
        const int estimate = RowHeight(row);
        EnsureRow(row);
        if (top < 0) {
            // A row entering at the top keeps its bottom edge where the estimate put it.
            const int grown = RowHeight(row) - estimate;
            top -= grown;
            scroll_.SetOffset(scroll_.GetOffset() + grown);
        }
        const int height = RowHeight(row);
        if (row == contextRow_)
            PaintContext(painter, row, top);
        else
            PaintRow(painter, row, top);
        top += height;
    }
}

void RowListBase::PaintRow(QPainter& painter, int row, int top)
{
    const ListItemBase* item = PeekRow(row);
    if (item == nullptr)
        return;
    const int width = GetWidth();
    const int height = item->GetSize().height;
    const bool pressed = row == pressedRow_;
    painter.fillRect(QRect(0, top, width, height), pressed ? UiTheme::RowPressed() : UiTheme::Row());
    painter.save();
    painter.translate(0, top);
    painter.setClipRect(QRect(0, 0, width, height));
    Graphics::Canvas canvas;
    canvas.ConstructOver(painter, Graphics::Rectangle(0, 0, width, height));
    item->Draw(canvas, pressed ? LIST_ITEM_DRAWING_STATUS_PRESSED : LIST_ITEM_DRAWING_STATUS_NORMAL);
    PaintAnnex(painter, *item, row);
    painter.restore();
    if (divider_)
        painter.fillRect(QRect(0, top + height - 1, width, 1), UiTheme::Divider());
}

void RowListBase::PaintAnnex(QPainter& painter, const ListItemBase& item, int row) const
{
    const int width = GetWidth();
    const int height = item.GetSize().height;
    if (IsCheckable(item)) {
        const QRect box(width - 56, height / 2 - 17, 34, 34);
        const bool checked = RowChecked(row);
        painter.setPen(QPen(checked ? UiTheme::Accent() : UiTheme::SecondaryText(), 2));
        painter.setBrush(checked ? UiTheme::Accent() : Qt::transparent);
        painter.drawRoundedRect(box, 6, 6);
        if (checked) {
            painter.setPen(QPen(UiTheme::Text(), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(QPolygon({box.topLeft() + QPoint(8, 17), box.topLeft() + QPoint(15, 25), box.topLeft() + QPoint(27, 9)}));
        }
    } else if (item.GetAnnexStyle() == LIST_ANNEX_STYLE_DETAILED) {
        painter.setPen(QPen(UiTheme::SecondaryText(), 3));
        painter.drawPolyline(QPolygon({QPoint(width - 40, height / 2 - 10), QPoint(width - 30, height / 2), QPoint(width - 40, height / 2 + 10)}));
    }
}

void RowListBase::PaintContext(QPainter& painter, int row, int top)
{
    const ListItemBase* item = PeekRow(row);
    painter.fillRect(QRect(0, top, GetWidth(), item->GetSize().height), UiTheme::BarDark());
    const std::vector<Graphics::Rectangle> bounds = GetContextElementBounds();
    const auto& elements = item->GetContextItem()->GetElements();
    for (size_t i = 0; i < bounds.size(); ++i) {
        const QRect rect = QtBridge::ToQRect(bounds[i]);
        painter.setPen(Qt::NoPen);
        painter.setBrush(UiTheme::RowPressed());
        painter.drawRoundedRect(rect, 8, 8);
        painter.setPen(elements[i].enabled ? UiTheme::Text() : UiTheme::DisabledText());
        const QRect inside = rect.adjusted(ContextLabelInset, ContextLabelInset, -ContextLabelInset, -ContextLabelInset);
        painter.setFont(UiTheme::Font(ContextLabelSize(elements[i].text, inside.width(), inside.height())));
        painter.drawText(inside, Qt::AlignCenter | Qt::TextWordWrap, QtBridge::ToQString(elements[i].text));
    }
}

int RowListBase::ContextLabelSize(const Base::String& label, int width, int height)
{
    const QString text = QtBridge::ToQString(label);
    int size = UiTheme::SmallTextSize;
    while (size > SmallestLabelSize && !labelFits(text, size, width, height))
        --size;
    return size;
}

void RowListBase::PaintEmpty(QPainter& painter)
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
