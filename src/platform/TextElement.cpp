#include "platform/TextElement.h"

namespace Ixa::Graphics {

result TextElement::Construct(const Base::String& text) { return Construct(text, 0UL); }

result TextElement::Construct(const Base::String& text, unsigned long autoLinkMask)
{
    if ((autoLinkMask & ~LINK_TYPE_ALL) != 0)
        return E_INVALID_ARG;
    text_ = text;
    autoLinkMask_ = autoLinkMask;
    linkType_ = LINK_TYPE_NONE;
    link_.Clear();
    return E_SUCCESS;
}

result TextElement::Construct(const Base::String& text, LinkType linkType, const Base::String& link)
{
    if (linkType == LINK_TYPE_NONE)
        return E_INVALID_ARG;
    text_ = text;
    linkType_ = linkType;
    link_ = link;
    autoLinkMask_ = 0;
    return E_SUCCESS;
}

result TextElement::SetText(const Base::String& text)
{
    text_ = text;
    return E_SUCCESS;
}

result TextElement::SetFont(const Font& font)
{
    font_ = font;
    return E_SUCCESS;
}

result TextElement::SetTextColor(const Color& color)
{
    color_ = color;
    return E_SUCCESS;
}

}  // namespace Ixa::Graphics
