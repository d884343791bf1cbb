// An element of a custom list item that draws itself.
// Threading: called on the user-interface thread while the list paints; the element is
// borrowed by the item and must outlive it.
#pragma once

#include "platform/Canvas.h"
#include "platform/ControlsTypes.h"

namespace Ixa::Ui::Controls {

class ICustomElement {
public:
    virtual ~ICustomElement() = default;
    // `rect` is the element's rectangle in the canvas; returns true when it drew.
    virtual bool OnDraw(Graphics::Canvas& canvas, const Graphics::Rectangle& rect, ListItemDrawingStatus status) = 0;
};

}  // namespace Ixa::Ui::Controls
