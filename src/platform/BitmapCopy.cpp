#include "platform/BitmapCopy.h"

namespace Ixa::Graphics {

std::shared_ptr<const Bitmap> BitmapCopy::Make(const Bitmap* bitmap)
{
    if (bitmap == nullptr || !bitmap->IsConstructed())
        return nullptr;
    auto copy = std::make_shared<Bitmap>();
    return IsFailed(copy->Construct(*bitmap)) ? nullptr : copy;
}

}  // namespace Ixa::Graphics
