#include "platform/IconListViewItem.h"

#include "platform/BitmapCopy.h"

namespace Ixa::Ui::Controls {

result IconListViewItem::Construct(const Graphics::Bitmap& bitmap, const Base::String* text, const Graphics::Bitmap* selectedBitmap)
{
    std::shared_ptr<const Graphics::Bitmap> copy = Graphics::BitmapCopy::Make(&bitmap);
    if (!copy)
        return E_INVALID_ARG;
    bitmap_ = std::move(copy);
    selected_ = Graphics::BitmapCopy::Make(selectedBitmap);
    text_ = text != nullptr ? *text : Base::String();
    return E_SUCCESS;
}

}  // namespace Ixa::Ui::Controls
