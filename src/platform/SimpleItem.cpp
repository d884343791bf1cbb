#include "platform/SimpleItem.h"

#include "platform/BitmapCopy.h"

namespace Ixa::Ui::Controls {

result SimpleItem::Construct(const Graphics::Dimension& itemSize, ListAnnexStyle style) { return ConstructBase(itemSize, style); }

result SimpleItem::SetElement(const Base::String& text, const Graphics::Bitmap* bitmap)
{
    text_ = text;
    bitmap_ = Graphics::BitmapCopy::Make(bitmap);
    return E_SUCCESS;
}

void SimpleItem::Draw(Graphics::Canvas& canvas, ListItemDrawingStatus) const
{
    const Graphics::Dimension size = GetSize();
    int left = 16;
    if (bitmap_) {
        const int side = std::min(size.height - 16, 56);
        canvas.DrawBitmap(Graphics::Rectangle(left, (size.height - side) / 2, side, side), *bitmap_);
        left += side + 14;
    }
    Graphics::Font font;
    font.Construct(Graphics::FONT_STYLE_PLAIN, 28);
    canvas.SetFont(font);
    canvas.SetForegroundColor(Graphics::Color(255, 255, 255));
    canvas.DrawText(Graphics::Rectangle(left, 0, size.width - left - AnnexWidth() - 12, size.height), text_, Graphics::TEXT_ALIGNMENT_LEFT);
}

}  // namespace Ixa::Ui::Controls
