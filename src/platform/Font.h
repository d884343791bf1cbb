// A text font: style flags and a size in pixels (the handset measures text in pixels).
// Thread-safety: a plain value.
#pragma once

#include "platform/Result.h"

namespace Ixa::Graphics {

enum FontStyle { FONT_STYLE_PLAIN = 0x1, FONT_STYLE_BOLD = 0x2, FONT_STYLE_ITALIC = 0x4 };

class Font {
public:
    // E_INVALID_ARG for a size below 1 or style flags outside FontStyle.
    result Construct(int style, int size);

    int GetStyle() const { return style_; }
    int GetSize() const { return size_; }
    bool IsBold() const { return (style_ & FONT_STYLE_BOLD) != 0; }
    bool IsItalic() const { return (style_ & FONT_STYLE_ITALIC) != 0; }

private:
    int style_ = FONT_STYLE_PLAIN;
    int size_ = 28;
};

}  // namespace Ixa::Graphics
