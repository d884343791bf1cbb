#include "screens/RowParts.h"

#include "app/IMManager.h"

#include "store/ContactIcon.h"
#include "store/ContactIconModel.h"

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

Ixa::Graphics::Bitmap* RowParts::AvatarN(const Contact& contact)
{
    if (!contact.IsHavingAvatar()) {
        return IMManager::GetDefaultAvatar();
    }
    std::unique_ptr<ContactIcon> icon(IMManager::GetContactIconModel()->GetImage(contact.GetContactId()));
    return IMManager::GetBitmapFromContactIcon(icon.get());
}
