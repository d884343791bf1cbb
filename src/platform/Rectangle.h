// An axis-aligned rectangle in pixels: position of the top-left corner and size.
// Thread-safety: a plain value.
#pragma once

#include "platform/Dimension.h"
#include "platform/Point.h"

namespace Ixa::Graphics {

class Rectangle {
public:
    Rectangle() = default;
    Rectangle(int x, int y, int width, int height) : x(x), y(y), width(width), height(height) {}
    Rectangle(const Point& position, const Dimension& size)
        : x(position.x), y(position.y), width(size.width), height(size.height)
    {
    }

    void SetBounds(int newX, int newY, int newWidth, int newHeight)
    {
        x = newX;
        y = newY;
        width = newWidth;
        height = newHeight;
    }
    void SetPosition(int newX, int newY)
    {
        x = newX;
        y = newY;
    }
    void SetSize(int newWidth, int newHeight)
    {
        width = newWidth;
        height = newHeight;
    }
    Point GetTopLeft() const { return Point(x, y); }
    Dimension GetSize() const { return Dimension(width, height); }
    bool Contains(const Point& point) const
    {
        return point.x >= x && point.y >= y && point.x < x + width && point.y < y + height;
    }
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    bool operator==(const Rectangle& other) const
    {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

}  // namespace Ixa::Graphics
