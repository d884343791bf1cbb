// Draws a stretchable ".9.png" picture: the outer one-pixel border marks, in black, the
// columns (top edge) and rows (left edge) that stretch; the rest keeps its size. Pictures
// without marks are simply scaled.
// Thread-safety: user-interface thread (it paints).
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

namespace Ixa::Graphics {

class NinePatch {
public:
    static void Draw(QPainter& painter, const QRect& target, const QImage& image);

private:
    struct Span {
        int first = -1;
        int last = -1;
    };
    static Span FindMarks(const QImage& image, bool horizontal);
};

}  // namespace Ixa::Graphics
