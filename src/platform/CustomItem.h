// A list row built from elements placed by the program: texts (with their size and colours
// for the normal and pressed states), pictures, rich texts (with inline pictures and
// tappable links) and elements that draw themselves. An element whose selection is enabled
// is reported by its id when it is tapped.
// Threading and ownership: user-interface thread. Texts and pictures are copied; rich texts
// and self-drawing elements are borrowed and must outlive the item.
#pragma once

#include "platform/Bitmap.h"
#include "platform/EnrichedText.h"
#include "platform/ICustomElement.h"
#include "platform/ListItemBase.h"

#include <memory>

namespace Ixa::Ui::Controls {

class CustomItem : public ListItemBase {
public:
    result Construct(const Graphics::Dimension& itemSize, ListAnnexStyle style = LIST_ANNEX_STYLE_NORMAL);

    result AddElement(const Graphics::Rectangle& rect, int elementId, const Base::String& text, bool textSliding = false);
    result AddElement(const Graphics::Rectangle& rect, int elementId, const Base::String& text, int textSize,
        const Graphics::Color& normalTextColor, const Graphics::Color& pressedTextColor,
        const Graphics::Color& highlightedTextColor, bool textSliding = false);
    result AddElement(const Graphics::Rectangle& rect, int elementId, const Graphics::Bitmap& normalBitmap,
        const Graphics::Bitmap* pressedBitmap = nullptr, const Graphics::Bitmap* highlightedBitmap = nullptr);
    result AddElement(const Graphics::Rectangle& rect, int elementId, const Graphics::EnrichedText& text);
    result AddElement(const Graphics::Rectangle& rect, int elementId, const ICustomElement& element);
    result RemoveElement(int elementId);
    result SetElementSelectionEnabled(int elementId, bool enable);

    void Draw(Graphics::Canvas& canvas, ListItemDrawingStatus status) const override;
    int GetElementIdAt(const Graphics::Point& point) const override;
    Graphics::Rectangle GetElementBounds(int elementId) const override;
    std::vector<Base::String> GetTexts() const override;
    result GetLinkAt(const Graphics::Point& point, Graphics::LinkType& type, Base::String& link, Base::String& text) const override;

private:
    struct Element {
        int id = -1;
        Graphics::Rectangle rect;
        Base::String text;
        int textSize = 28;
        Graphics::Color normal = Graphics::Color(255, 255, 255);
        Graphics::Color pressed = Graphics::Color(255, 255, 255);
        std::shared_ptr<const Graphics::Bitmap> bitmap;
        std::shared_ptr<const Graphics::Bitmap> pressedBitmap;
        const Graphics::EnrichedText* enriched = nullptr;
        const ICustomElement* custom = nullptr;
        bool selectable = false;
    };

    result Add(Element element);
    Element* Find(int elementId);
    const Element* Find(int elementId) const;

    std::vector<Element> elements_;
};

}  // namespace Ixa::Ui::Controls
