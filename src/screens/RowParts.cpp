#include "screens/RowParts.h"

#include "app/IMManager.h"
#include "screens/TextMetrics.h"

#include "store/ContactIcon.h"
#include "store/ContactIconModel.h"

#include <algorithm>
#include <memory>

const Ixa::Graphics::Color RowParts::White(255, 255, 255);
const Ixa::Graphics::Color RowParts::Secondary(0x9a, 0xa8, 0xb8);

void RowParts::AddBitmap(Ixa::Ui::Controls::CustomItem& item, const Ixa::Graphics::Rectangle& bounds, int elementId,
    Ixa::Graphics::Bitmap* bitmap)
{
    std::unique_ptr<Ixa::Graphics::Bitmap> owned(bitmap);
    if (owned != nullptr) {
        item.AddElement(bounds, elementId, *owned);
    }
}

void RowParts::AddText(Ixa::Ui::Controls::CustomItem& item, const Ixa::Graphics::Rectangle& bounds, int elementId,
    const Ixa::Base::String& text, int size, const Ixa::Graphics::Color& color)
{
    if (!text.IsEmpty()) {
        item.AddElement(bounds, elementId, text, size, color, color, color);
    }
}

void RowParts::AddHighlighted(Ixa::Ui::Controls::CustomItem& item, const Ixa::Graphics::Rectangle& line, const int (&ids)[3],
    const Ixa::Base::String& text, int at, int length, int size, const Ixa::Graphics::Color& color,
    const Ixa::Graphics::Color& matchColor)
{
    if (at < 0) {
        AddText(item, line, ids[0], text, size, color);
        return;
    }
    Ixa::Base::String parts[3];
    text.SubString(0, at, parts[0]);
    text.SubString(at, length, parts[1]);
    text.SubString(at + length, parts[2]);
    const int right = line.x + line.width;
    int x = line.x;
    for (int i = 0; i < 3; ++i) {
        const int width = std::min(TextMetrics::Width(parts[i], size) + 1, std::max(0, right - x));
        AddText(item, Ixa::Graphics::Rectangle(x, line.y, width, line.height), ids[i], parts[i], size, i == 1 ? matchColor : color);
        x += width;
    }
}

Ixa::Graphics::Bitmap* RowParts::AvatarN(const Contact& contact)
{
    if (!contact.IsHavingAvatar()) {
        return IMManager::GetDefaultAvatar();
    }
    std::unique_ptr<ContactIcon> icon(IMManager::GetContactIconModel()->GetImage(contact.GetContactId()));
    return IMManager::GetBitmapFromContactIcon(icon.get());
}
