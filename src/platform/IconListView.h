// A scrolling grid of icons fed by an icon provider, as many to a line as fit the width; the
// emoticon picker is one. Icons are asked for as they come into view and kept until
// UpdateList or RefreshList replaces them (the provider's DeleteItem takes them back).
// Dragging up and down scrolls; a tap on an icon reports its index, SELECTED in the normal
// style, and CHECKED or UNCHECKED (flipping its check) in the MARK style.
// Threading and ownership: user-interface thread; the provider and listeners are borrowed.
#pragma once

#include "platform/Control.h"
#include "platform/ControlsTypes.h"
#include "platform/IIconListViewItemEventListener.h"
#include "platform/IIconListViewItemProvider.h"
#include "platform/ListenerList.h"
#include "platform/TouchScroll.h"

#include <set>
#include <vector>

class QPainter;
class QPoint;

namespace Ixa::Ui::Controls {

class IconListView : public Control {
public:
    IconListView();
    ~IconListView() override;

    // `itemBitmapSize` is the size every icon's picture is drawn at.
    result Construct(const Graphics::Rectangle& rect, const Graphics::Dimension& itemBitmapSize, IconListViewStyle style = ICON_LIST_VIEW_STYLE_NORMAL);
    result SetItemProvider(IIconListViewItemProvider& provider);
    void AddIconListViewItemEventListener(IIconListViewItemEventListener& listener) { listeners_.Add(listener); }
    void RemoveIconListViewItemEventListener(IIconListViewItemEventListener& listener) { listeners_.Remove(listener); }

    // Asks the provider again for the count and drops every icon it made.
    result UpdateList();
    // Adds, removes or remakes one icon.
    result RefreshList(int index, ListRefreshType type);
    result ScrollToItem(int index);
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    result SetItemChecked(int index, bool check);
    bool IsItemChecked(int index) const { return checked_.count(index) > 0; }
    // The icon at a point of the grid, or -1.
    int GetItemIndexFromPosition(const Graphics::Point& position) const;

    // Platform side, for the ScreenProbe: an icon (made if needed) and its cell in grid
    // coordinates as the grid is scrolled now.
    IconListViewItem* GetItemAt(int index);
    Graphics::Rectangle GetItemBounds(int index) const;

private:
    int Columns() const;
    Graphics::Dimension CellSize() const;
    int ContentHeight() const;
    void ClampScroll();
    void ReleaseItem(int index);
    void Release();
    void Paint(QPainter& painter);
    void PaintItem(QPainter& painter, int index);
    void Press(const QPoint& point);
    void Move(const QPoint& point);
    void Tap(const QPoint& point);

    IIconListViewItemProvider* provider_ = nullptr;
    ListenerList<IIconListViewItemEventListener> listeners_;
    std::vector<IconListViewItem*> items_;
    std::set<int> checked_;
    Graphics::Dimension bitmapSize_;
    IconListViewStyle style_ = ICON_LIST_VIEW_STYLE_NORMAL;
    bool hasCaptions_ = false;
    TouchScroll scroll_;
    int pressed_ = -1;
};

}  // namespace Ixa::Ui::Controls
