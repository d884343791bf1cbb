// One run of text inside an EnrichedText, with its own font and colour. A run can be one
// link as a whole (Construct with a link type), or ordinary text in which web addresses,
// e-mail addresses and telephone numbers of the kinds in `autoLinkMask` become links.
// Threading and ownership: user-interface thread. An EnrichedText borrows its elements.
#pragma once

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/GraphicsTypes.h"
#include "platform/String.h"

namespace Ixa::Graphics {

class TextElement : public Base::Object {
public:
    result Construct(const Base::String& text);
    result Construct(const Base::String& text, unsigned long autoLinkMask);
    result Construct(const Base::String& text, LinkType linkType, const Base::String& link);

    result SetText(const Base::String& text);
    Base::String GetText() const { return text_; }
    result SetFont(const Font& font);
    Font GetFont() const { return font_; }
    result SetTextColor(const Color& color);
    Color GetTextColor() const { return color_; }
    unsigned long GetAutoLinkMask() const { return autoLinkMask_; }
    LinkType GetLinkType() const { return linkType_; }
    Base::String GetLink() const { return link_; }

private:
    Base::String text_;
    Base::String link_;
    LinkType linkType_ = LINK_TYPE_NONE;
    unsigned long autoLinkMask_ = 0;
    Font font_;
    Color color_ = Color(255, 255, 255);
};

}  // namespace Ixa::Graphics
