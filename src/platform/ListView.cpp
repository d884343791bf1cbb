#include "platform/ListView.h"

namespace Ixa::Ui::Controls {

namespace {

constexpr int DefaultRowHeight = 100;

}  // namespace

ListView::ListView() = default;

ListView::~ListView()
{
    DestroyWidget();
    Release();
}

result ListView::Construct(const Graphics::Rectangle& rect, bool itemDivider, bool)
{
    return ConstructRows(rect, itemDivider);
}

result ListView::SetItemProvider(IListViewItemProvider& provider)
{
    provider_ = &provider;
    return UpdateList();
}

void ListView::ReleaseItem(int index)
{
    ListItemBase* item = items_[static_cast<size_t>(index)];
    if (item != nullptr && (provider_ == nullptr || !provider_->DeleteItem(index, item, GetWidth())))
        delete item;
    items_[static_cast<size_t>(index)] = nullptr;
}

void ListView::Release()
{
    for (int i = 0; i < GetItemCount(); ++i)
        ReleaseItem(i);
}

result ListView::UpdateList()
{
    if (provider_ == nullptr)
        return E_INVALID_STATE;
    Release();
    const int count = std::max(0, provider_->GetItemCount());
    items_.assign(static_cast<size_t>(count), nullptr);
    checked_.clear();
    RowsChanged();
    return E_SUCCESS;
}

result ListView::RefreshList(int index, ListRefreshType type)
{
    if (provider_ == nullptr)
        return E_INVALID_STATE;
    const int count = GetItemCount();
    if (type == LIST_REFRESH_TYPE_ITEM_ADD) {
        if (index < 0 || index > count)
            return E_OUT_OF_RANGE;
        items_.insert(items_.begin() + index, nullptr);
    } else {
        if (index < 0 || index >= count)
            return E_OUT_OF_RANGE;
        ReleaseItem(index);
        if (type == LIST_REFRESH_TYPE_ITEM_REMOVE)
            items_.erase(items_.begin() + index);
    }
    checked_ = ShiftIndexes(checked_, index, type);
    if (type == LIST_REFRESH_TYPE_ITEM_MODIFY)
        RowRemade();
    else
        RowsChanged();
    return E_SUCCESS;
}

result ListView::ScrollToItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return E_OUT_OF_RANGE;
    ShowItem(index);
    return E_SUCCESS;
}

result ListView::SetItemChecked(int index, bool check)
{
    return SetIndexChecked(*this, checked_, GetItemCount(), index, check);
}

ListItemBase* ListView::MakeRow(int row)
{
    if (provider_ == nullptr)
        return nullptr;
    items_[static_cast<size_t>(row)] = provider_->CreateItem(row, GetWidth());
    return items_[static_cast<size_t>(row)];
}

int ListView::UnmadeRowHeight(int) const { return DefaultRowHeight; }

void ListView::RowTapped(int row, int elementId, ListItemStatus status)
{
    itemListeners_.Notify([&](IListViewItemEventListener& listener) { listener.OnListViewItemStateChanged(*this, row, elementId, status); });
}

void ListView::RowContextChosen(int row, int elementId)
{
    itemListeners_.Notify([&](IListViewItemEventListener& listener) {
        listener.OnListViewContextItemStateChanged(*this, row, elementId, LIST_CONTEXT_ITEM_STATUS_SELECTED);
    });
}

void ListView::RowSwept(int row, SweepDirection direction)
{
    itemListeners_.Notify([&](IListViewItemEventListener& listener) { listener.OnListViewItemSwept(*this, row, direction); });
}

}  // namespace Ixa::Ui::Controls
