#include "platform/Bitmap.h"

#include <QImage>

namespace Ixa::Graphics {

Bitmap::Bitmap() = default;

Bitmap::~Bitmap() = default;

result Bitmap::Construct(const Dimension& size, BitmapPixelFormat format)
{
    if (size.width <= 0 || size.height <= 0)
        return E_INVALID_ARG;
    image_ = std::make_unique<QImage>(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
    image_->fill(Qt::transparent);
    format_ = format;
    ninePatched_ = false;
    return E_SUCCESS;
}

result Bitmap::Construct(const Bitmap& source, const Rectangle& area)
{
    if (!source.IsConstructed())
        return E_INVALID_ARG;
    const QImage& pixels = source.GetImage();
    if (area.IsEmpty()) {
        image_ = std::make_unique<QImage>(pixels);
        ninePatched_ = source.ninePatched_;
    } else {
        if (!pixels.rect().contains(QRect(area.x, area.y, area.width, area.height)))
            return E_OUT_OF_RANGE;
        image_ = std::make_unique<QImage>(pixels.copy(area.x, area.y, area.width, area.height));
        ninePatched_ = false;
    }
    format_ = source.format_;
    return E_SUCCESS;
}

result Bitmap::Construct(const QImage& image, bool ninePatched)
{
    if (image.isNull())
        return E_INVALID_ARG;
    image_ = std::make_unique<QImage>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    format_ = image.hasAlphaChannel() ? BITMAP_PIXEL_FORMAT_ARGB8888 : BITMAP_PIXEL_FORMAT_RGB565;
    ninePatched_ = ninePatched;
    return E_SUCCESS;
}

result Bitmap::Scale(const Dimension& size)
{
    if (!IsConstructed())
        return E_INVALID_STATE;
    if (size.width <= 0 || size.height <= 0)
        return E_INVALID_ARG;
    *image_ = image_->scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ninePatched_ = false;
    return E_SUCCESS;
}

int Bitmap::GetWidth() const { return image_ ? image_->width() : 0; }

int Bitmap::GetHeight() const { return image_ ? image_->height() : 0; }

const QImage& Bitmap::GetImage() const
{
    static const QImage empty;
    return image_ ? *image_ : empty;
}

}  // namespace Ixa::Graphics
