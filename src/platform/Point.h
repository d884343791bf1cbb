// A position in pixels. Thread-safety: a plain value.
#pragma once

namespace Ixa::Graphics {

class Point {
public:
    Point() = default;
    Point(int x, int y) : x(x), y(y) {}

    void SetPosition(int newX, int newY)
    {
        x = newX;
        y = newY;
    }
    bool operator==(const Point& other) const { return x == other.x && y == other.y; }

    int x = 0;
    int y = 0;
};

}  // namespace Ixa::Graphics
