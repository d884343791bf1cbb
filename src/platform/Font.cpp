#include "platform/Font.h"

namespace Ixa::Graphics {

result Font::Construct(int style, int size)
{
    constexpr int allStyles = FONT_STYLE_PLAIN | FONT_STYLE_BOLD | FONT_STYLE_ITALIC;
    if (size < 1 || (style & ~allStyles) != 0)
        return E_INVALID_ARG;
    style_ = style;
    size_ = size;
    return E_SUCCESS;
}

}  // namespace Ixa::Graphics
