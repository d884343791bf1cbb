// A picture in memory. Bitmaps come from the application's resources (AppResource::GetBitmapN),
// from the image decoder (Media::Image) or are made empty and drawn on. A name ending in
// ".9.png" marks a stretchable picture: its one-pixel border says which row and column
// ranges stretch, and Canvas::DrawNinePatchedBitmap honours it.
// Threading and ownership: a Bitmap may be built on any thread but is drawn on the user-
// interface thread; controls that are given a bitmap keep their own copy unless they say so.
#pragma once

#include "platform/Dimension.h"
#include "platform/GraphicsTypes.h"
#include "platform/Object.h"
#include "platform/Rectangle.h"
#include "platform/Result.h"

#include <memory>

class QImage;

namespace Ixa::Graphics {

class Bitmap : public Base::Object {
public:
    Bitmap();
    ~Bitmap() override;

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // A transparent picture of the given size.
    result Construct(const Dimension& size, BitmapPixelFormat format);
    // A copy of `area` of `source` (the whole of it when the area is empty).
    result Construct(const Bitmap& source, const Rectangle& area = Rectangle());
    // Platform side: adopts a decoded image.
    result Construct(const QImage& image, bool ninePatched);

    result Scale(const Dimension& size);
    int GetWidth() const;
    int GetHeight() const;
    BitmapPixelFormat GetPixelFormat() const { return format_; }
    bool IsNinePatchedBitmap() const { return ninePatched_; }
    bool IsConstructed() const { return image_ != nullptr; }

    // Platform side: the pixels.
    const QImage& GetImage() const;

private:
    std::unique_ptr<QImage> image_;
    BitmapPixelFormat format_ = BITMAP_PIXEL_FORMAT_ARGB8888;
    bool ninePatched_ = false;
};

}  // namespace Ixa::Graphics
