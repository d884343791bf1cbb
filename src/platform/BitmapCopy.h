// Keeps a shared copy of a bitmap for the value classes (button and footer items) that must
// stay copyable while bitmaps are not. Thread-safety: pure function.
#pragma once

#include "platform/Bitmap.h"

#include <memory>

namespace Ixa::Graphics {

class BitmapCopy {
public:
    // Null for a null or unconstructed bitmap.
    static std::shared_ptr<const Bitmap> Make(const Bitmap* bitmap);
};

}  // namespace Ixa::Graphics
