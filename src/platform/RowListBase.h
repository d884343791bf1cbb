// What the list views share: a scrolling column of rows of their own heights, each a
// ListItemBase made when it first comes into view (never before: a row not yet made counts
// with the subclass's estimate of its height, so a list of thousands makes only the rows
// the user gets to see). Dragging up and down scrolls; a tap
// reports the row and the tapped selectable element (or -1) and flips a checkable row; a long
// press (500 ms) or a sideways sweep shows the row's context item in its place, whose buttons
// report their element ids; a tap on a link in a row's rich text goes to the link listeners
// instead. An empty list shows its empty-list picture and text. ListView's rows are its
// items; GroupedListView's are its group headers, each followed by the items of an expanded
// group. Rows are counted from the top of the whole list.
// Threading and ownership: user-interface thread. The subclass owns the row items (and
// releases them, with DestroyWidget first, in its own destructor); listeners are borrowed.
#pragma once

#include "platform/Bitmap.h"
#include "platform/Control.h"
#include "platform/ControlsTypes.h"
#include "platform/ITimerEventListener.h"
#include "platform/IUiLinkEventListener.h"
#include "platform/ListItemBase.h"
#include "platform/ListenerList.h"
#include "platform/Timer.h"
#include "platform/TouchScroll.h"

#include <memory>
#include <set>
#include <vector>

class QPainter;
class QPoint;

namespace Ixa::Ui::Controls {

class RowListBase : public Control, public Base::Runtime::ITimerEventListener {
public:
    ~RowListBase() override;

    void AddUiLinkEventListener(IUiLinkEventListener& listener) { linkListeners_.Add(listener); }
    void RemoveUiLinkEventListener(IUiLinkEventListener& listener) { linkListeners_.Remove(listener); }
    result SetTextOfEmptyList(const Base::String& text);
    Base::String GetTextOfEmptyList() const { return emptyText_; }
    result SetBitmapOfEmptyList(const Graphics::Bitmap* bitmap);
    result SetSweepEnabled(bool enable);

    // Platform side, for the ScreenProbe: the rows, the item of a row (made if needed), a
    // row's bounds in list coordinates as it is now and after scrolling it into view, and the
    // context buttons of an open context row.
    int GetRowCount() const { return RowCount(); }
    ListItemBase* GetRowItem(int row);
    int GetRowIndexFromPosition(const Graphics::Point& position) const;
    Graphics::Rectangle GetRowBounds(int row);
    Graphics::Rectangle ShowItem(int row);
    bool IsRowChecked(int row) const { return RowChecked(row); }
    result OpenContextRow(int row);
    int GetContextRow() const { return contextRow_; }
    std::vector<Graphics::Rectangle> GetContextElementBounds() const;
    // How many row items the list has asked its provider for since it was made, and how many
    // it holds now.
    int GetRowsMadeSoFar() const { return rowsMade_; }
    int GetMadeRowCount() const;

    void OnTimerExpired(Base::Runtime::Timer& timer) override;

    // The font size a context button's label is drawn in, on lines broken between words
    // within `width` and `height`: the small text size, or smaller where a word of the label
    // would not fit the button's width or its lines its height.
    static int ContextLabelSize(const Base::String& label, int width, int height);
    // Where indexes kept beside rows move when a row at `index` is added or removed.
    static std::set<int> ShiftIndexes(const std::set<int>& indexes, int index, ListRefreshType type);
    // Puts `index`, one of `count` items, into `checked` or takes it out, and redraws `list`;
    // E_OUT_OF_RANGE, with nothing changed, for an index outside the items.
    static result SetIndexChecked(const Control& list, std::set<int>& checked, int count, int index, bool check);

protected:
    RowListBase();
    result ConstructRows(const Graphics::Rectangle& rect, bool itemDivider);

    virtual int RowCount() const = 0;
    // The row's item if it was made, else null.
    virtual ListItemBase* PeekRow(int row) const = 0;
    // Asks the provider for the row's item and keeps it (null when the provider gave none).
    virtual ListItemBase* MakeRow(int row) = 0;
    // The height a row is counted with before its item is made.
    virtual int UnmadeRowHeight(int row) const = 0;
    virtual bool RowChecked(int row) const = 0;
    virtual void SetRowChecked(int row, bool check) = 0;
    virtual void RowTapped(int row, int elementId, ListItemStatus status) = 0;
    virtual void RowContextChosen(int row, int elementId) = 0;
    virtual void RowSwept(int row, SweepDirection direction) = 0;

    // After rows were added or removed: closes the context row and redraws.
    void RowsChanged();
    // After a row was remade (its height may differ): keeps the scroll inside and redraws.
    void RowRemade();
    // Where the row starts, counting rows not yet made at their estimated heights.
    int RowTop(int row) const;

private:
    // The row's item, made now if it was not (null when the provider gave none).
    ListItemBase* EnsureRow(int row);
    int RowHeight(int row) const;
    int ContentHeight() const;
    void ClampScroll();
    void Paint(QPainter& painter);
    void PaintRow(QPainter& painter, int row, int top);
    void PaintAnnex(QPainter& painter, const ListItemBase& item, int row) const;
    void PaintContext(QPainter& painter, int row, int top);
    void PaintEmpty(QPainter& painter);
    void Press(const QPoint& point);
    void Move(const QPoint& point);
    void Release(const QPoint& point);
    void TapRow(int row, const Graphics::Point& inRow);
    void TapContext(int row, const Graphics::Point& inList);

    ListenerList<IUiLinkEventListener> linkListeners_;
    bool divider_ = true;
    bool sweep_ = true;
    TouchScroll scroll_;
    int contextRow_ = -1;
    int pressedRow_ = -1;
    bool swept_ = false;
    Base::String emptyText_;
    std::unique_ptr<Graphics::Bitmap> emptyBitmap_;
    Base::Runtime::Timer longPress_;
    int rowsMade_ = 0;
};

}  // namespace Ixa::Ui::Controls
