#include "platform/Image.h"

#include <QImage>

namespace Ixa::Media {

result Image::Construct() { return E_SUCCESS; }

Graphics::Bitmap* Image::DecodeN(const Base::ByteBuffer& buffer, ImageFormat format, Graphics::BitmapPixelFormat) const
{
    static const char* const names[] = {"JPG", "PNG", "GIF", "BMP"};
    if (format < IMG_FORMAT_JPG || format > IMG_FORMAT_BMP) {
        SetLastResult(E_INVALID_ARG);
        return nullptr;
    }
    const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(buffer.GetPointer()), buffer.GetLimit(), names[format]);
    if (image.isNull()) {
        SetLastResult(E_INVALID_FORMAT);
        return nullptr;
    }
    auto* bitmap = new Graphics::Bitmap;
    bitmap->Construct(image, false);
    SetLastResult(E_SUCCESS);
    return bitmap;
}

}  // namespace Ixa::Media
