#include "platform/FooterItem.h"

#include "platform/BitmapCopy.h"

namespace Ixa::Ui::Controls {

result FooterItem::Construct(int actionId)
{
    if (actionId < 0)
        return E_INVALID_ARG;
    actionId_ = actionId;
    return E_SUCCESS;
}

result FooterItem::SetText(const Base::String& text)
{
    text_ = text;
    return E_SUCCESS;
}

result FooterItem::SetIcon(FooterItemStatus status, const Graphics::Bitmap* bitmap)
{
    if (status == FOOTER_ITEM_STATUS_NORMAL)
        icon_ = Graphics::BitmapCopy::Make(bitmap);
    return E_SUCCESS;
}

}  // namespace Ixa::Ui::Controls
