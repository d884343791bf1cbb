// Enumerations shared by the graphics classes. Values of the alignment and wrap enumerations
// are the ones the program stores (centre alignment 2, word wrap 3).
#pragma once

namespace Ixa::Graphics {

enum BitmapPixelFormat { BITMAP_PIXEL_FORMAT_RGB565 = 1, BITMAP_PIXEL_FORMAT_ARGB8888 = 2 };

enum TextHorizontalAlignment {
    TEXT_ALIGNMENT_LEFT = 0x1,
    TEXT_ALIGNMENT_CENTER = 0x2,
    TEXT_ALIGNMENT_RIGHT = 0x4,
};

enum TextVerticalAlignment {
    TEXT_ALIGNMENT_TOP = 0x10,
    TEXT_ALIGNMENT_MIDDLE = 0x20,
    TEXT_ALIGNMENT_BOTTOM = 0x40,
};

enum TextWrapStyle { TEXT_WRAP_NONE = 1, TEXT_WRAP_CHARACTER_WRAP = 2, TEXT_WRAP_WORD_WRAP = 3 };

// Kinds of link found in text; combined as a mask where text is searched for links.
enum LinkType { LINK_TYPE_NONE = 0x0, LINK_TYPE_URL = 0x1, LINK_TYPE_EMAIL = 0x2, LINK_TYPE_TEL = 0x4 };
inline constexpr unsigned long LINK_TYPE_ALL = LINK_TYPE_URL | LINK_TYPE_EMAIL | LINK_TYPE_TEL;

}  // namespace Ixa::Graphics
