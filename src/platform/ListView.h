// A scrolling list of rows fed by an item provider. Rows are asked for as they come into view
// and kept until UpdateList or RefreshList replaces them (the provider's DeleteItem takes
// them back). A tap on a row reports its index, the tapped selectable element (or -1) and,
// on rows with a check annex, the new check state; a long press (500 ms) or a sideways sweep
// shows the row's context item in its place, whose buttons report their element ids. A tap on
// a link inside a row's rich text goes to the link listeners instead. An empty list shows its
// empty-list picture and text. Dragging up and down scrolls.
// Threading and ownership: user-interface thread; the provider and listeners are borrowed.
#pragma once

#include "platform/Bitmap.h"
#include "platform/Control.h"
#include "platform/IListViewItemEventListener.h"
#include "platform/IListViewItemProvider.h"
#include "platform/ITimerEventListener.h"
#include "platform/IUiLinkEventListener.h"
#include "platform/ListenerList.h"
#include "platform/Timer.h"

#include <memory>
#include <set>
#include <vector>

class QPainter;
class QPoint;

namespace Ixa::Ui::Controls {

class ListView : public Control, public Base::Runtime::ITimerEventListener {
public:
    ListView();
    ~ListView() override;

    result Construct(const Graphics::Rectangle& rect, bool itemDivider = true, bool fastScroll = false);
    result SetItemProvider(IListViewItemProvider& provider);
    void AddListViewItemEventListener(IListViewItemEventListener& listener) { itemListeners_.Add(listener); }
    void RemoveListViewItemEventListener(IListViewItemEventListener& listener) { itemListeners_.Remove(listener); }
    void AddUiLinkEventListener(IUiLinkEventListener& listener) { linkListeners_.Add(listener); }
    void RemoveUiLinkEventListener(IUiLinkEventListener& listener) { linkListeners_.Remove(listener); }

    // Asks the provider again for the count and drops every row it made.
    result UpdateList();
    // Adds, removes or remakes one row.
    result RefreshList(int index, ListRefreshType type);
    result ScrollToItem(int index);
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    result SetItemChecked(int index, bool check);
    bool IsItemChecked(int index) const;
    int GetItemIndexFromPosition(const Graphics::Point& position) const;
    int GetTopDrawnItemIndex() const;
    result SetTextOfEmptyList(const Base::String& text);
    Base::String GetTextOfEmptyList() const { return emptyText_; }
    result SetBitmapOfEmptyList(const Graphics::Bitmap* bitmap);
    result SetSweepEnabled(bool enable);

    // Platform side, for the ScreenProbe: the row (made if needed), its bounds after scrolling
    // it into view (list coordinates), and the context buttons of an open context row.
    ListItemBase* GetItemAt(int index);
    Graphics::Rectangle ShowItem(int index);
    result OpenContextItem(int index);
    int GetContextRow() const { return contextRow_; }
    std::vector<Graphics::Rectangle> GetContextElementBounds() const;

    void OnTimerExpired(Base::Runtime::Timer& timer) override;

private:
    void Release();
    void EnsureItems(int last);
    int RowTop(int index);
    int RowHeight(int index) const;
    int ContentHeight() const;
    void ClampScroll();
    void Paint(QPainter& painter);
    void PaintRow(QPainter& painter, int index, int top);
    void PaintContext(QPainter& painter, int index, int top);
    void PaintEmpty(QPainter& painter);
    void Press(const QPoint& point);
    void Move(const QPoint& point);
    void Tap(const QPoint& point);
    void TapRow(int index, const Graphics::Point& inRow);

    IListViewItemProvider* provider_ = nullptr;
    ListenerList<IListViewItemEventListener> itemListeners_;
    ListenerList<IUiLinkEventListener> linkListeners_;
    std::vector<ListItemBase*> items_;
    std::set<int> checked_;
    bool divider_ = true;
    bool sweep_ = true;
    int scroll_ = 0;
    int contextRow_ = -1;
    int pressedRow_ = -1;
    int pressX_ = 0;
    int pressY_ = 0;
    int scrollAtPress_ = 0;
    bool dragging_ = false;
    bool swept_ = false;
    Base::String emptyText_;
    std::unique_ptr<Graphics::Bitmap> emptyBitmap_;
    Base::Runtime::Timer longPress_;
};

}  // namespace Ixa::Ui::Controls
