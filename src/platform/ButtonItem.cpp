#include "platform/ButtonItem.h"

#include "platform/BitmapCopy.h"

namespace Ixa::Ui::Controls {

result ButtonItem::Construct(ButtonItemStyle style, int actionId)
{
    if (actionId < 0)
        return E_INVALID_ARG;
    style_ = style;
    actionId_ = actionId;
    return E_SUCCESS;
}

result ButtonItem::SetText(const Base::String& text)
{
    text_ = text;
    return E_SUCCESS;
}

result ButtonItem::SetIcon(ButtonItemStatus status, const Graphics::Bitmap* bitmap)
{
    (status == BUTTON_ITEM_STATUS_PRESSED ? pressedIcon_ : icon_) = Graphics::BitmapCopy::Make(bitmap);
    return E_SUCCESS;
}

const Graphics::Bitmap* ButtonItem::GetIcon(ButtonItemStatus status) const
{
    if (status == BUTTON_ITEM_STATUS_PRESSED && pressedIcon_)
        return pressedIcon_.get();
    return icon_.get();
}

}  // namespace Ixa::Ui::Controls
