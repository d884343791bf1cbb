// A size in pixels. Thread-safety: a plain value.
#pragma once

namespace Ixa::Graphics {

class Dimension {
public:
    Dimension() = default;
    Dimension(int width, int height) : width(width), height(height) {}

    void SetSize(int newWidth, int newHeight)
    {
        width = newWidth;
        height = newHeight;
    }
    bool operator==(const Dimension& other) const
    {
        return width == other.width && height == other.height;
    }

    int width = 0;
    int height = 0;
};

}  // namespace Ixa::Graphics
