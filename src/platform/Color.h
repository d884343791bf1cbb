// A colour with 8-bit red, green, blue and alpha components; alpha 255 is opaque.
// Thread-safety: a plain value.
#pragma once

namespace Ixa::Graphics {

enum ColorId {
    COLOR_ID_BLACK,
    COLOR_ID_BLUE,
    COLOR_ID_CYAN,
    COLOR_ID_GREEN,
    COLOR_ID_GREY,
    COLOR_ID_MAGENTA,
    COLOR_ID_RED,
    COLOR_ID_VIOLET,
    COLOR_ID_YELLOW,
    COLOR_ID_WHITE,
};

class Color {
public:
    Color() = default;
    Color(unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha = 255);
    // 0xAARRGGBB when hasAlpha, else 0xRRGGBB and opaque.
    explicit Color(unsigned int argb, bool hasAlpha = true);

    static Color GetColor(ColorId id);

    void SetColorComponents(
        unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha = 255);
    unsigned char GetRed() const { return red_; }
    unsigned char GetGreen() const { return green_; }
    unsigned char GetBlue() const { return blue_; }
    unsigned char GetAlpha() const { return alpha_; }
    unsigned int GetRGB32() const;

    bool operator==(const Color& other) const;
    bool operator!=(const Color& other) const { return !(*this == other); }

private:
    unsigned char red_ = 0;
    unsigned char green_ = 0;
    unsigned char blue_ = 0;
    unsigned char alpha_ = 255;
};

}  // namespace Ixa::Graphics
