// A row of a list view: its size, what it shows at its right edge (annex), its context item,
// and how it draws itself and finds its elements. CustomItem, SimpleItem and GroupItem are
// the kinds of row.
// Threading and ownership: user-interface thread. The list owns an item from CreateItem until
// it hands it back to the provider's DeleteItem.
#pragma once

#include "platform/Canvas.h"
#include "platform/ControlsTypes.h"
#include "platform/Dimension.h"

#include <vector>

namespace Ixa::Ui::Controls {

class ListContextItem;

class ListItemBase : public Base::Object {
public:
    ~ListItemBase() override;

    Graphics::Dimension GetSize() const { return size_; }
    ListAnnexStyle GetAnnexStyle() const { return annex_; }
    // Borrowed; null removes it.
    result SetContextItem(const ListContextItem* contextItem);
    const ListContextItem* GetContextItem() const { return context_; }

    // Platform side: drawing (the canvas's origin is the row's top-left corner), the
    // selectable element at a point (-1 when none), and the texts shown, for the ScreenProbe.
    virtual void Draw(Graphics::Canvas& canvas, ListItemDrawingStatus status) const = 0;
    virtual int GetElementIdAt(const Graphics::Point& point) const;
    // Where an element is in the row; empty when the item has no such element.
    virtual Graphics::Rectangle GetElementBounds(int elementId) const;
    virtual std::vector<Base::String> GetTexts() const = 0;
    // The link under `point` in a text element: E_OBJ_NOT_FOUND when there is none.
    virtual result GetLinkAt(const Graphics::Point& point, Graphics::LinkType& type, Base::String& link, Base::String& text) const;

protected:
    result ConstructBase(const Graphics::Dimension& size, ListAnnexStyle style);
    // Width left to the elements once the annex has its place.
    int AnnexWidth() const;

private:
    Graphics::Dimension size_;
    ListAnnexStyle annex_ = LIST_ANNEX_STYLE_NORMAL;
    const ListContextItem* context_ = nullptr;
};

}  // namespace Ixa::Ui::Controls
