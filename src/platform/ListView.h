// A scrolling list of rows fed by an item provider (the touch, drawing and context-item
// behaviour is RowListBase's). Rows are asked for as they come into view and kept until
// UpdateList or RefreshList replaces them (the provider's DeleteItem takes them back). A tap
// on a row reports its index, the tapped selectable element (or -1) and, on rows with a check
// annex, the new check state; a sweep or long press opens the row's context item, whose
// buttons report their element ids.
// Threading and ownership: user-interface thread; the provider and listeners are borrowed.
#pragma once

#include "platform/IListViewItemEventListener.h"
#include "platform/IListViewItemProvider.h"
#include "platform/RowListBase.h"

namespace Ixa::Ui::Controls {

class ListView : public RowListBase {
public:
    ListView();
    ~ListView() override;

    result Construct(const Graphics::Rectangle& rect, bool itemDivider = true, bool fastScroll = false);
    result SetItemProvider(IListViewItemProvider& provider);
    void AddListViewItemEventListener(IListViewItemEventListener& listener) { itemListeners_.Add(listener); }
    void RemoveListViewItemEventListener(IListViewItemEventListener& listener) { itemListeners_.Remove(listener); }

    // Asks the provider again for the count and drops every row it made.
    result UpdateList();
    // Adds, removes or remakes one row.
    result RefreshList(int index, ListRefreshType type);
    result ScrollToItem(int index);
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    result SetItemChecked(int index, bool check);
    bool IsItemChecked(int index) const { return checked_.count(index) > 0; }
    int GetItemIndexFromPosition(const Graphics::Point& position) const { return GetRowIndexFromPosition(position); }
    int GetTopDrawnItemIndex() const { return GetRowIndexFromPosition(Graphics::Point(0, 0)); }

    // Platform side, for the ScreenProbe: the row (made if needed) and its context item.
    ListItemBase* GetItemAt(int index) { return GetRowItem(index); }
    result OpenContextItem(int index) { return OpenContextRow(index); }

protected:
    int RowCount() const override { return GetItemCount(); }
    ListItemBase* PeekRow(int row) const override { return items_[static_cast<size_t>(row)]; }
    ListItemBase* MakeRow(int row) override;
    int UnmadeRowHeight(int row) const override;
    bool RowChecked(int row) const override { return IsItemChecked(row); }
    void SetRowChecked(int row, bool check) override { SetItemChecked(row, check); }
    void RowTapped(int row, int elementId, ListItemStatus status) override;
    void RowContextChosen(int row, int elementId) override;
    void RowSwept(int row, SweepDirection direction) override;

private:
    void Release();
    void ReleaseItem(int index);

    IListViewItemProvider* provider_ = nullptr;
    ListenerList<IListViewItemEventListener> itemListeners_;
    std::vector<ListItemBase*> items_;
    std::set<int> checked_;
};

}  // namespace Ixa::Ui::Controls
