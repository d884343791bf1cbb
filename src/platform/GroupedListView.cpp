#include "platform/GroupedListView.h"

#include <algorithm>

namespace Ixa::Ui::Controls {

namespace {

constexpr int DefaultHeaderHeight = 56;
constexpr int DefaultItemHeight = 100;

}  // namespace

GroupedListView::GroupedListView() = default;

GroupedListView::~GroupedListView()
{
    DestroyWidget();
    Release();
}

result GroupedListView::Construct(const Graphics::Rectangle& rect, GroupedListViewStyle style, bool itemDivider, bool)
{
    style_ = style;
    return ConstructRows(rect, itemDivider);
}

result GroupedListView::SetItemProvider(IGroupedListViewItemProvider& provider)
{
    provider_ = &provider;
    return UpdateList();
}

bool GroupedListView::HasItem(int groupIndex, int itemIndex) const
{
    return groupIndex >= 0 && groupIndex < GetGroupCount() && itemIndex >= 0 && itemIndex < GetItemCountAt(groupIndex);
}

int GroupedListView::GetItemCountAt(int groupIndex) const
{
    if (groupIndex < 0 || groupIndex >= GetGroupCount())
        return 0;
    return static_cast<int>(groups_[static_cast<size_t>(groupIndex)].items.size());
}

GroupedListView::Group GroupedListView::CountedGroup(int groupIndex) const
{
    Group group;
    group.items.assign(static_cast<size_t>(std::max(0, provider_->GetItemCount(groupIndex))), nullptr);
    return group;
}

void GroupedListView::ReleaseHeader(int groupIndex)
{
    GroupItem*& header = groups_[static_cast<size_t>(groupIndex)].header;
    if (header != nullptr && (provider_ == nullptr || !provider_->DeleteGroupItem(groupIndex, header, GetWidth())))
        delete header;
    header = nullptr;
}

void GroupedListView::ReleaseItem(int groupIndex, int itemIndex)
{
    ListItemBase*& item = groups_[static_cast<size_t>(groupIndex)].items[static_cast<size_t>(itemIndex)];
    if (item != nullptr && (provider_ == nullptr || !provider_->DeleteItem(groupIndex, itemIndex, item, GetWidth())))
        delete item;
    item = nullptr;
}

void GroupedListView::ReleaseGroup(int groupIndex)
{
    for (int item = 0; item < GetItemCountAt(groupIndex); ++item)
        ReleaseItem(groupIndex, item);
    ReleaseHeader(groupIndex);
}

void GroupedListView::Release()
{
    for (int group = 0; group < GetGroupCount(); ++group)
        ReleaseGroup(group);
}

result GroupedListView::UpdateList()
{
    if (provider_ == nullptr)
        return E_INVALID_STATE;
    Release();
    groups_.clear();
    const int count = std::max(0, provider_->GetGroupCount());
    for (int group = 0; group < count; ++group)
        groups_.push_back(CountedGroup(group));
    RebuildRows();
    RowsChanged();
    return E_SUCCESS;
}

result GroupedListView::RefreshList(int groupIndex, int itemIndex, ListRefreshType type)
{
    if (provider_ == nullptr)
        return E_INVALID_STATE;
    const result refreshed = itemIndex < 0 ? RefreshGroup(groupIndex, type) : RefreshItem(groupIndex, itemIndex, type);
    if (IsFailed(refreshed))
        return refreshed;
    RebuildRows();
    if (type == LIST_REFRESH_TYPE_ITEM_MODIFY && itemIndex >= 0)
        RowRemade();
    else
        RowsChanged();
    return E_SUCCESS;
}

result GroupedListView::RefreshGroup(int groupIndex, ListRefreshType type)
{
    const int count = GetGroupCount();
    if (type == LIST_REFRESH_TYPE_ITEM_ADD) {
        if (groupIndex < 0 || groupIndex > count)
            return E_OUT_OF_RANGE;
        groups_.insert(groups_.begin() + groupIndex, CountedGroup(groupIndex));
        return E_SUCCESS;
    }
    if (groupIndex < 0 || groupIndex >= count)
        return E_OUT_OF_RANGE;
    ReleaseGroup(groupIndex);
    if (type == LIST_REFRESH_TYPE_ITEM_REMOVE) {
        groups_.erase(groups_.begin() + groupIndex);
        return E_SUCCESS;
    }
    const bool expanded = groups_[static_cast<size_t>(groupIndex)].expanded;
    groups_[static_cast<size_t>(groupIndex)] = CountedGroup(groupIndex);
    groups_[static_cast<size_t>(groupIndex)].expanded = expanded;
    return E_SUCCESS;
}

result GroupedListView::RefreshItem(int groupIndex, int itemIndex, ListRefreshType type)
{
    if (groupIndex < 0 || groupIndex >= GetGroupCount())
        return E_OUT_OF_RANGE;
    Group& group = groups_[static_cast<size_t>(groupIndex)];
    if (type == LIST_REFRESH_TYPE_ITEM_ADD) {
        if (itemIndex > GetItemCountAt(groupIndex))
            return E_OUT_OF_RANGE;
        group.items.insert(group.items.begin() + itemIndex, nullptr);
    } else {
        if (!HasItem(groupIndex, itemIndex))
            return E_OUT_OF_RANGE;
        ReleaseItem(groupIndex, itemIndex);
        if (type == LIST_REFRESH_TYPE_ITEM_REMOVE)
            group.items.erase(group.items.begin() + itemIndex);
    }
    group.checked = ShiftIndexes(group.checked, itemIndex, type);
    return E_SUCCESS;
}

result GroupedListView::ScrollToItem(int groupIndex, int itemIndex)
{
    if (groupIndex < 0 || groupIndex >= GetGroupCount() || (itemIndex >= 0 && !HasItem(groupIndex, itemIndex)))
        return E_OUT_OF_RANGE;
    const int row = GetRowOf(groupIndex, itemIndex);
    if (row < 0)
        return E_INVALID_OPERATION;
    ShowItem(row);
    return E_SUCCESS;
}

result GroupedListView::ExpandGroup(int groupIndex) { return SetExpanded(groupIndex, true); }

result GroupedListView::CollapseGroup(int groupIndex) { return SetExpanded(groupIndex, false); }

result GroupedListView::SetExpanded(int groupIndex, bool expanded)
{
    if (groupIndex < 0 || groupIndex >= GetGroupCount())
        return E_OUT_OF_RANGE;
    groups_[static_cast<size_t>(groupIndex)].expanded = expanded;
    RebuildRows();
    RowsChanged();
    return E_SUCCESS;
}

bool GroupedListView::IsGroupExpanded(int groupIndex) const
{
    return groupIndex >= 0 && groupIndex < GetGroupCount() && groups_[static_cast<size_t>(groupIndex)].expanded;
}

result GroupedListView::SetItemChecked(int groupIndex, int itemIndex, bool check)
{
    if (groupIndex < 0 || groupIndex >= GetGroupCount())
        return E_OUT_OF_RANGE;
    return SetIndexChecked(*this, groups_[static_cast<size_t>(groupIndex)].checked, GetItemCountAt(groupIndex), itemIndex, check);
}

bool GroupedListView::IsItemChecked(int groupIndex, int itemIndex) const
{
    return HasItem(groupIndex, itemIndex) && groups_[static_cast<size_t>(groupIndex)].checked.count(itemIndex) > 0;
}

result GroupedListView::GetItemIndexFromPosition(const Graphics::Point& position, int& groupIndex, int& itemIndex) const
{
    const int row = GetRowIndexFromPosition(position);
    if (row < 0)
        return E_OBJ_NOT_FOUND;
    groupIndex = rows_[static_cast<size_t>(row)].first;
    itemIndex = rows_[static_cast<size_t>(row)].second;
    return E_SUCCESS;
}

int GroupedListView::GetRowOf(int groupIndex, int itemIndex) const
{
    const auto found = std::find(rows_.begin(), rows_.end(), std::make_pair(groupIndex, itemIndex));
    return found != rows_.end() ? static_cast<int>(found - rows_.begin()) : -1;
}

void GroupedListView::RebuildRows()
{
    rows_.clear();
    for (int group = 0; group < GetGroupCount(); ++group) {
        rows_.emplace_back(group, -1);
        if (!groups_[static_cast<size_t>(group)].expanded)
            continue;
        for (int item = 0; item < GetItemCountAt(group); ++item)
            rows_.emplace_back(group, item);
    }
}

ListItemBase* GroupedListView::PeekRow(int row) const
{
    const auto [group, item] = rows_[static_cast<size_t>(row)];
    const Group& entry = groups_[static_cast<size_t>(group)];
    return item < 0 ? entry.header : entry.items[static_cast<size_t>(item)];
}

ListItemBase* GroupedListView::MakeRow(int row)
{
    if (provider_ == nullptr)
        return nullptr;
    const auto [group, item] = rows_[static_cast<size_t>(row)];
    Group& entry = groups_[static_cast<size_t>(group)];
    if (item < 0)
        return entry.header = provider_->CreateGroupItem(group, GetWidth());
    return entry.items[static_cast<size_t>(item)] = provider_->CreateItem(group, item, GetWidth());
}

int GroupedListView::UnmadeRowHeight(int row) const
{
    return rows_[static_cast<size_t>(row)].second < 0 ? DefaultHeaderHeight : DefaultItemHeight;
}

bool GroupedListView::RowChecked(int row) const
{
    const auto [group, item] = rows_[static_cast<size_t>(row)];
    return IsItemChecked(group, item);
}

void GroupedListView::SetRowChecked(int row, bool check)
{
    const auto [group, item] = rows_[static_cast<size_t>(row)];
    SetItemChecked(group, item, check);
}

// The row handlers below take group and item as plain variables, not structured bindings:
// their listener lambdas capture them, which clang 14 refuses for bindings.
void GroupedListView::RowTapped(int row, int elementId, ListItemStatus status)
{
    const int group = rows_[static_cast<size_t>(row)].first;
    const int item = rows_[static_cast<size_t>(row)].second;
    if (item < 0 && style_ == GROUPED_LIST_VIEW_STYLE_INDEXED)
        SetExpanded(group, !IsGroupExpanded(group));
    itemListeners_.Notify([&](IGroupedListViewItemEventListener& listener) {
        listener.OnGroupedListViewItemStateChanged(*this, group, item, elementId, status);
    });
}

void GroupedListView::RowContextChosen(int row, int elementId)
{
    const int group = rows_[static_cast<size_t>(row)].first;
    const int item = rows_[static_cast<size_t>(row)].second;
    itemListeners_.Notify([&](IGroupedListViewItemEventListener& listener) {
        listener.OnGroupedListViewContextItemStateChanged(*this, group, item, elementId, LIST_CONTEXT_ITEM_STATUS_SELECTED);
    });
}

void GroupedListView::RowSwept(int row, SweepDirection direction)
{
    const int group = rows_[static_cast<size_t>(row)].first;
    const int item = rows_[static_cast<size_t>(row)].second;
    itemListeners_.Notify([&](IGroupedListViewItemEventListener& listener) { listener.OnGroupedListViewItemSwept(*this, group, item, direction); });
}

}  // namespace Ixa::Ui::Controls
