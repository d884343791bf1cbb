#include "platform/CustomItem.h"

#include "platform/BitmapCopy.h"

namespace Ixa::Ui::Controls {

result CustomItem::Construct(const Graphics::Dimension& itemSize, ListAnnexStyle style)
{
    elements_.clear();
    return ConstructBase(itemSize, style);
}

result CustomItem::AddElement(const Graphics::Rectangle& rect, int elementId, const Base::String& text, bool)
{
    Element element;
    element.id = elementId;
    element.rect = rect;
    element.text = text;
    return Add(element);
}

result CustomItem::AddElement(const Graphics::Rectangle& rect, int elementId, const Base::String& text, int textSize,
    const Graphics::Color& normalTextColor, const Graphics::Color& pressedTextColor, const Graphics::Color&, bool)
{
    if (textSize <= 0)
        return E_INVALID_ARG;
    Element element;
    element.id = elementId;
    element.rect = rect;
    element.text = text;
    element.textSize = textSize;
    element.normal = normalTextColor;
    element.pressed = pressedTextColor;
    return Add(element);
}

result CustomItem::AddElement(const Graphics::Rectangle& rect, int elementId, const Graphics::Bitmap& normalBitmap,
    const Graphics::Bitmap* pressedBitmap, const Graphics::Bitmap*)
{
    Element element;
    element.id = elementId;
    element.rect = rect;
    element.bitmap = Graphics::BitmapCopy::Make(&normalBitmap);
    element.pressedBitmap = Graphics::BitmapCopy::Make(pressedBitmap);
    if (!element.bitmap)
        return E_INVALID_ARG;
    return Add(element);
}

result CustomItem::AddElement(const Graphics::Rectangle& rect, int elementId, const Graphics::EnrichedText& text)
{
    Element element;
    element.id = elementId;
    element.rect = rect;
    element.enriched = &text;
    return Add(element);
}

result CustomItem::AddElement(const Graphics::Rectangle& rect, int elementId, const ICustomElement& custom)
{
    Element element;
    element.id = elementId;
    element.rect = rect;
    element.custom = &custom;
    return Add(element);
}

result CustomItem::RemoveElement(int elementId)
{
    const auto erased = std::erase_if(elements_, [&](const Element& element) { return element.id == elementId; });
    return erased > 0 ? E_SUCCESS : E_OBJ_NOT_FOUND;
}

result CustomItem::SetElementSelectionEnabled(int elementId, bool enable)
{
    Element* element = Find(elementId);
    if (element == nullptr)
        return E_OBJ_NOT_FOUND;
    element->selectable = enable;
    return E_SUCCESS;
}

result CustomItem::Add(Element element)
{
    if (element.id < 0 || Find(element.id) != nullptr)
        return E_INVALID_ARG;
    elements_.push_back(std::move(element));
    return E_SUCCESS;
}

CustomItem::Element* CustomItem::Find(int elementId)
{
    return const_cast<Element*>(static_cast<const CustomItem*>(this)->Find(elementId));
}

const CustomItem::Element* CustomItem::Find(int elementId) const
{
    for (const Element& element : elements_) {
        if (element.id == elementId)
            return &element;
    }
    return nullptr;
}

Graphics::Rectangle CustomItem::GetElementBounds(int elementId) const
{
    const Element* element = Find(elementId);
    return element != nullptr ? element->rect : Graphics::Rectangle();
}

void CustomItem::Draw(Graphics::Canvas& canvas, ListItemDrawingStatus status) const
{
    const bool pressed = status == LIST_ITEM_DRAWING_STATUS_PRESSED;
    for (const Element& element : elements_) {
        if (element.custom != nullptr) {
            const_cast<ICustomElement*>(element.custom)->OnDraw(canvas, element.rect, status);
        } else if (element.enriched != nullptr) {
            canvas.DrawText(element.rect.GetTopLeft(), *element.enriched);
        } else if (element.bitmap) {
            canvas.DrawNinePatchedBitmap(element.rect, pressed && element.pressedBitmap ? *element.pressedBitmap : *element.bitmap);
        } else {
            Graphics::Font font;
            font.Construct(Graphics::FONT_STYLE_PLAIN, element.textSize);
            canvas.SetFont(font);
            canvas.SetForegroundColor(pressed ? element.pressed : element.normal);
            canvas.DrawText(element.rect, element.text, Graphics::TEXT_ALIGNMENT_LEFT);
        }
    }
}

int CustomItem::GetElementIdAt(const Graphics::Point& point) const
{
    // The last added element is drawn on top, so it is found first.
    for (auto element = elements_.rbegin(); element != elements_.rend(); ++element) {
        if (element->selectable && element->rect.Contains(point))
            return element->id;
    }
    return -1;
}

std::vector<Base::String> CustomItem::GetTexts() const
{
    std::vector<Base::String> texts;
    for (const Element& element : elements_) {
        if (!element.text.IsEmpty())
            texts.push_back(element.text);
    }
    return texts;
}

result CustomItem::GetLinkAt(const Graphics::Point& point, Graphics::LinkType& type, Base::String& link, Base::String& text) const
{
    for (const Element& element : elements_) {
        if (element.enriched != nullptr && element.rect.Contains(point)
            && IsSucceeded(element.enriched->GetLinkAt(Graphics::Point(point.x - element.rect.x, point.y - element.rect.y), type, link, text)))
            return E_SUCCESS;
    }
    return E_OBJ_NOT_FOUND;
}

}  // namespace Ixa::Ui::Controls
