// A scrolling list of groups, each a header row followed by its item rows while the group is
// expanded, fed by a grouped item provider (the touch, drawing and context-item behaviour is
// RowListBase's). The provider is asked for the group count and every group's item count on
// UpdateList, and for a header or item when its row first comes into view; rows are kept
// until UpdateList or RefreshList replaces them (DeleteGroupItem and DeleteItem take them
// back). Folding a group keeps its items made. Tapping an item reports its group, its index,
// the tapped selectable element (or -1) and, on checkable items, the new check state; tapping
// a header reports item index -1, after folding or unfolding the group in the INDEXED style.
// Threading and ownership: user-interface thread; the provider and listeners are borrowed.
#pragma once

#include "platform/GroupItem.h"
#include "platform/IGroupedListViewItemEventListener.h"
#include "platform/IGroupedListViewItemProvider.h"
#include "platform/RowListBase.h"

#include <utility>

namespace Ixa::Ui::Controls {

class GroupedListView : public RowListBase {
public:
    GroupedListView();
    ~GroupedListView() override;

    result Construct(const Graphics::Rectangle& rect, GroupedListViewStyle style, bool itemDivider = true, bool fastScroll = false);
    result SetItemProvider(IGroupedListViewItemProvider& provider);
    void AddGroupedListViewItemEventListener(IGroupedListViewItemEventListener& listener) { itemListeners_.Add(listener); }
    void RemoveGroupedListViewItemEventListener(IGroupedListViewItemEventListener& listener) { itemListeners_.Remove(listener); }

    // Asks the provider again for every count and drops every row it made; every group
    // starts expanded.
    result UpdateList();
    // Adds, removes or remakes one item; with `itemIndex` -1, one whole group (a remade
    // group gets a new header and its item count is asked again).
    result RefreshList(int groupIndex, int itemIndex, ListRefreshType type);
    // Scrolls the item (the header when `itemIndex` is -1) into view; E_INVALID_OPERATION
    // for an item of a folded group.
    result ScrollToItem(int groupIndex, int itemIndex);
    result ExpandGroup(int groupIndex);
    result CollapseGroup(int groupIndex);
    bool IsGroupExpanded(int groupIndex) const;
    int GetGroupCount() const { return static_cast<int>(groups_.size()); }
    int GetItemCountAt(int groupIndex) const;
    result SetItemChecked(int groupIndex, int itemIndex, bool check);
    bool IsItemChecked(int groupIndex, int itemIndex) const;
    // The group and item at a point of the list (item -1 on a header); E_OBJ_NOT_FOUND when
    // no row is there.
    result GetItemIndexFromPosition(const Graphics::Point& position, int& groupIndex, int& itemIndex) const;

    // Platform side, for the ScreenProbe: the row showing an item (-1 for a header, or for an
    // item of a folded group) and the group and item a row shows.
    int GetRowOf(int groupIndex, int itemIndex) const;
    std::pair<int, int> GetItemOfRow(int row) const { return rows_[static_cast<size_t>(row)]; }

protected:
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    ListItemBase* PeekRow(int row) const override;
    ListItemBase* MakeRow(int row) override;
    int UnmadeRowHeight(int row) const override;
    bool RowChecked(int row) const override;
    void SetRowChecked(int row, bool check) override;
    void RowTapped(int row, int elementId, ListItemStatus status) override;
    void RowContextChosen(int row, int elementId) override;
    void RowSwept(int row, SweepDirection direction) override;

private:
    struct Group {
        GroupItem* header = nullptr;
        std::vector<ListItemBase*> items;
        std::set<int> checked;
        bool expanded = true;
    };

    bool HasItem(int groupIndex, int itemIndex) const;
    Group CountedGroup(int groupIndex) const;
    void ReleaseHeader(int groupIndex);
    void ReleaseItem(int groupIndex, int itemIndex);
    void ReleaseGroup(int groupIndex);
    void Release();
    result RefreshGroup(int groupIndex, ListRefreshType type);
    result RefreshItem(int groupIndex, int itemIndex, ListRefreshType type);
    result SetExpanded(int groupIndex, bool expanded);
    void RebuildRows();

    IGroupedListViewItemProvider* provider_ = nullptr;
    ListenerList<IGroupedListViewItemEventListener> itemListeners_;
    GroupedListViewStyle style_ = GROUPED_LIST_VIEW_STYLE_INDEXED;
    std::vector<Group> groups_;
    // The group and item of every row; item -1 for a header.
    std::vector<std::pair<int, int>> rows_;
};

}  // namespace Ixa::Ui::Controls
