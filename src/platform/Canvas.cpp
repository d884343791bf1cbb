#include "platform/Canvas.h"

#include "platform/EnrichedText.h"
#include "platform/NinePatch.h"
#include "platform/QtBridge.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace Ixa::Graphics {

namespace {

Qt::Alignment ToQtAlignment(TextHorizontalAlignment horizontal, TextVerticalAlignment vertical)
{
    Qt::Alignment alignment = horizontal == TEXT_ALIGNMENT_CENTER ? Qt::AlignHCenter
        : horizontal == TEXT_ALIGNMENT_RIGHT                      ? Qt::AlignRight
                                                                  : Qt::AlignLeft;
    alignment |= vertical == TEXT_ALIGNMENT_TOP ? Qt::AlignTop
        : vertical == TEXT_ALIGNMENT_BOTTOM     ? Qt::AlignBottom
                                                : Qt::AlignVCenter;
    return alignment;
}

}  // namespace

Canvas::Canvas() = default;

Canvas::~Canvas()
{
    if (ownPainter_)
        ownPainter_->end();
}

result Canvas::Construct(const Rectangle& bounds)
{
    if (bounds.IsEmpty())
        return E_INVALID_ARG;
    ownPainter_.reset();
    image_ = std::make_unique<QImage>(bounds.width, bounds.height, QImage::Format_ARGB32_Premultiplied);
    image_->fill(Qt::transparent);
    ownPainter_ = std::make_unique<QPainter>(image_.get());
    ownPainter_->setRenderHint(QPainter::Antialiasing);
    ownPainter_->setRenderHint(QPainter::TextAntialiasing);
    painter_ = ownPainter_.get();
    bounds_ = Rectangle(0, 0, bounds.width, bounds.height);
    return E_SUCCESS;
}

result Canvas::ConstructOver(QPainter& painter, const Rectangle& bounds)
{
    painter_ = &painter;
    bounds_ = bounds;
    return E_SUCCESS;
}

result Canvas::SetFont(const Font& font)
{
    font_ = font;
    return E_SUCCESS;
}

result Canvas::Clear() { return Clear(bounds_); }

result Canvas::Clear(const Rectangle& area)
{
    if (!IsReady())
        return E_INVALID_STATE;
    const QPainter::CompositionMode mode = painter_->compositionMode();
    painter_->setCompositionMode(QPainter::CompositionMode_Source);
    painter_->fillRect(QtBridge::ToQRect(area), QtBridge::ToQColor(background_));
    painter_->setCompositionMode(mode);
    return E_SUCCESS;
}

result Canvas::DrawText(const Point& topLeft, const Base::String& text)
{
    if (!IsReady())
        return E_INVALID_STATE;
    const QFont font = QtBridge::ToQFont(font_);
    painter_->setFont(font);
    painter_->setPen(QtBridge::ToQColor(foreground_));
    painter_->drawText(QPoint(topLeft.x, topLeft.y + QFontMetrics(font).ascent()), QtBridge::ToQString(text));
    return E_SUCCESS;
}

result Canvas::DrawText(const Rectangle& area, const Base::String& text,
    TextHorizontalAlignment horizontal, TextVerticalAlignment vertical)
{
    if (!IsReady())
        return E_INVALID_STATE;
    const QFont font = QtBridge::ToQFont(font_);
    painter_->setFont(font);
    painter_->setPen(QtBridge::ToQColor(foreground_));
    const QString elided = QFontMetrics(font).elidedText(QtBridge::ToQString(text), Qt::ElideRight, area.width);
    painter_->drawText(QtBridge::ToQRect(area), static_cast<int>(ToQtAlignment(horizontal, vertical)), elided);
    return E_SUCCESS;
}

result Canvas::DrawText(const Point& topLeft, const EnrichedText& text)
{
    if (!IsReady())
        return E_INVALID_STATE;
    text.Paint(*painter_, QPoint(topLeft.x, topLeft.y));
    return E_SUCCESS;
}

result Canvas::DrawBitmap(const Point& topLeft, const Bitmap& bitmap)
{
    if (!IsReady() || !bitmap.IsConstructed())
        return E_INVALID_STATE;
    painter_->drawImage(QPoint(topLeft.x, topLeft.y), bitmap.GetImage());
    return E_SUCCESS;
}

result Canvas::DrawBitmap(const Rectangle& area, const Bitmap& bitmap)
{
    if (!IsReady() || !bitmap.IsConstructed())
        return E_INVALID_STATE;
    painter_->drawImage(QtBridge::ToQRect(area), bitmap.GetImage());
    return E_SUCCESS;
}

result Canvas::DrawNinePatchedBitmap(const Rectangle& area, const Bitmap& bitmap)
{
    if (!IsReady() || !bitmap.IsConstructed())
        return E_INVALID_STATE;
    if (!bitmap.IsNinePatchedBitmap())
        return DrawBitmap(area, bitmap);
    NinePatch::Draw(*painter_, QtBridge::ToQRect(area), bitmap.GetImage());
    return E_SUCCESS;
}

result Canvas::DrawLine(const Point& from, const Point& to)
{
    if (!IsReady())
        return E_INVALID_STATE;
    painter_->setPen(QPen(QtBridge::ToQColor(foreground_), lineWidth_));
    painter_->drawLine(QtBridge::ToQPoint(from), QtBridge::ToQPoint(to));
    return E_SUCCESS;
}

result Canvas::DrawRectangle(const Rectangle& area)
{
    if (!IsReady())
        return E_INVALID_STATE;
    painter_->setPen(QPen(QtBridge::ToQColor(foreground_), lineWidth_));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QtBridge::ToQRect(area));
    return E_SUCCESS;
}

result Canvas::FillRectangle(const Color& color, const Rectangle& area)
{
    if (!IsReady())
        return E_INVALID_STATE;
    painter_->fillRect(QtBridge::ToQRect(area), QtBridge::ToQColor(color));
    return E_SUCCESS;
}

result Canvas::FillRoundRectangle(const Color& color, const Rectangle& area, const Dimension& arc)
{
    if (!IsReady())
        return E_INVALID_STATE;
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(QtBridge::ToQColor(color));
    painter_->drawRoundedRect(QtBridge::ToQRect(area), arc.width / 2.0, arc.height / 2.0);
    return E_SUCCESS;
}

result Canvas::FillEllipse(const Color& color, const Rectangle& area)
{
    if (!IsReady())
        return E_INVALID_STATE;
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(QtBridge::ToQColor(color));
    painter_->drawEllipse(QtBridge::ToQRect(area));
    return E_SUCCESS;
}

result Canvas::DrawEllipse(const Rectangle& area)
{
    if (!IsReady())
        return E_INVALID_STATE;
    painter_->setPen(QPen(QtBridge::ToQColor(foreground_), lineWidth_));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawEllipse(QtBridge::ToQRect(area));
    return E_SUCCESS;
}

result Canvas::GetPixel(const Point& point, Color& color) const
{
    if (!image_)
        return E_INVALID_STATE;
    if (!image_->rect().contains(point.x, point.y))
        return E_OUT_OF_RANGE;
    color = QtBridge::FromQColor(image_->pixelColor(point.x, point.y));
    return E_SUCCESS;
}

Bitmap* Canvas::GetBitmapN() const
{
    if (!image_) {
        SetLastResult(E_INVALID_STATE);
        return nullptr;
    }
    auto bitmap = std::make_unique<Bitmap>();
    const result r = bitmap->Construct(image_->copy(), false);
    SetLastResult(r);
    return IsFailed(r) ? nullptr : bitmap.release();
}

}  // namespace Ixa::Graphics
