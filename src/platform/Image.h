// The image decoder: turns encoded picture bytes (JPEG, PNG, GIF, BMP) into a bitmap.
// Threading and ownership: any thread; DecodeN hands the bitmap to the caller.
#pragma once

#include "platform/Bitmap.h"
#include "platform/ByteBuffer.h"

namespace Ixa::Media {

enum ImageFormat { IMG_FORMAT_JPG = 0, IMG_FORMAT_PNG = 1, IMG_FORMAT_GIF = 2, IMG_FORMAT_BMP = 3 };

class Image : public Base::Object {
public:
    result Construct();
    // Decodes the bytes from position 0 to the buffer's limit. Null with E_INVALID_FORMAT in
    // the last-result slot when they are no picture of that format.
    Graphics::Bitmap* DecodeN(const Base::ByteBuffer& buffer, ImageFormat format, Graphics::BitmapPixelFormat pixelFormat) const;
};

}  // namespace Ixa::Media
