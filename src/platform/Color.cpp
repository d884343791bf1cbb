#include "platform/Color.h"

namespace Ixa::Graphics {

Color::Color(unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha)
    : red_(red), green_(green), blue_(blue), alpha_(alpha)
{
}

Color::Color(unsigned int argb, bool hasAlpha)
    : red_(static_cast<unsigned char>(argb >> 16)),
      green_(static_cast<unsigned char>(argb >> 8)),
      blue_(static_cast<unsigned char>(argb)),
      alpha_(hasAlpha ? static_cast<unsigned char>(argb >> 24) : 255)
{
}

Color Color::GetColor(ColorId id)
{
    switch (id) {
    case COLOR_ID_BLUE:
        return Color(0, 0, 255);
    case COLOR_ID_CYAN:
        return Color(0, 255, 255);
    case COLOR_ID_GREEN:
        return Color(0, 255, 0);
    case COLOR_ID_GREY:
        return Color(160, 160, 160);
    case COLOR_ID_MAGENTA:
        return Color(255, 0, 255);
    case COLOR_ID_RED:
        return Color(255, 0, 0);
    case COLOR_ID_VIOLET:
        return Color(238, 130, 238);
    case COLOR_ID_YELLOW:
        return Color(255, 255, 0);
    case COLOR_ID_WHITE:
        return Color(255, 255, 255);
    default:
        return Color(0, 0, 0);
    }
}

void Color::SetColorComponents(
    unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha)
{
    red_ = red;
    green_ = green;
    blue_ = blue;
    alpha_ = alpha;
}

unsigned int Color::GetRGB32() const
{
    return (static_cast<unsigned int>(alpha_) << 24) | (static_cast<unsigned int>(red_) << 16)
        | (static_cast<unsigned int>(green_) << 8) | blue_;
}

bool Color::operator==(const Color& other) const { return GetRGB32() == other.GetRGB32(); }

}  // namespace Ixa::Graphics
