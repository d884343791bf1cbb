#include "platform/GroupItem.h"

#include "platform/BitmapCopy.h"

namespace Ixa::Ui::Controls {

result GroupItem::Construct(const Graphics::Dimension& itemSize) { return ConstructBase(itemSize, LIST_ANNEX_STYLE_NORMAL); }

result GroupItem::SetElement(const Base::String& text, const Graphics::Bitmap* bitmap)
{
    text_ = text;
    bitmap_ = Graphics::BitmapCopy::Make(bitmap);
    return E_SUCCESS;
}

void GroupItem::Draw(Graphics::Canvas& canvas, ListItemDrawingStatus) const
{
    const Graphics::Dimension size = GetSize();
    canvas.FillRectangle(Graphics::Color(0x2d, 0x3e, 0x54), Graphics::Rectangle(0, 0, size.width, size.height));
    int left = 14;
    if (bitmap_) {
        const int side = std::min(size.height - 10, 32);
        canvas.DrawBitmap(Graphics::Rectangle(left, (size.height - side) / 2, side, side), *bitmap_);
        left += side + 10;
    }
    Graphics::Font font;
    font.Construct(Graphics::FONT_STYLE_BOLD, 22);
    canvas.SetFont(font);
    canvas.SetForegroundColor(Graphics::Color(0x9a, 0xa8, 0xb8));
    canvas.DrawText(Graphics::Rectangle(left, 0, size.width - left - 12, size.height), text_, Graphics::TEXT_ALIGNMENT_LEFT);
}

}  // namespace Ixa::Ui::Controls
