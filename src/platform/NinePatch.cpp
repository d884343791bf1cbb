#include "platform/NinePatch.h"

#include <algorithm>

namespace Ixa::Graphics {

NinePatch::Span NinePatch::FindMarks(const QImage& image, bool horizontal)
{
    Span span;
    const int length = horizontal ? image.width() : image.height();
    for (int i = 1; i + 1 < length; ++i) {
        const QRgb pixel = horizontal ? image.pixel(i, 0) : image.pixel(0, i);
        if (qAlpha(pixel) > 128 && qRed(pixel) < 64 && qGreen(pixel) < 64 && qBlue(pixel) < 64) {
            if (span.first < 0)
                span.first = i;
            span.last = i;
        }
    }
    return span;
}

void NinePatch::Draw(QPainter& painter, const QRect& target, const QImage& image)
{
    const Span columns = FindMarks(image, true);
    const Span rows = FindMarks(image, false);
    const QImage body = image.copy(1, 1, image.width() - 2, image.height() - 2);
    if (columns.first < 0 || rows.first < 0) {
        painter.drawImage(target, body);
        return;
    }
    // Source edges in body coordinates: fixed part, stretched part, fixed part.
    const int sx[4] = {0, columns.first - 1, columns.last, body.width()};
    const int sy[4] = {0, rows.first - 1, rows.last, body.height()};
    const int fixedWidth = sx[1] + (sx[3] - sx[2]);
    const int fixedHeight = sy[1] + (sy[3] - sy[2]);
    const int stretchWidth = std::max(0, target.width() - fixedWidth);
    const int stretchHeight = std::max(0, target.height() - fixedHeight);
    const int tx[4] = {target.left(), target.left() + sx[1], target.left() + sx[1] + stretchWidth,
        target.left() + sx[1] + stretchWidth + (sx[3] - sx[2])};
    const int ty[4] = {target.top(), target.top() + sy[1], target.top() + sy[1] + stretchHeight,
        target.top() + sy[1] + stretchHeight + (sy[3] - sy[2])};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRect source(sx[column], sy[row], sx[column + 1] - sx[column], sy[row + 1] - sy[row]);
            const QRect destination(tx[column], ty[row], tx[column + 1] - tx[column], ty[row + 1] - ty[row]);
            if (!source.isEmpty() && !destination.isEmpty())
                painter.drawImage(destination, body, source);
        }
    }
}

}  // namespace Ixa::Graphics
