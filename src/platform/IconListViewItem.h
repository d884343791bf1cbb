// One icon of an icon grid: its picture, an optional picture for the pressed or checked
// state, and an optional caption under it.
// Threading and ownership: user-interface thread; the pictures and the caption are copied.
#pragma once

#include "platform/Bitmap.h"
#include "platform/String.h"

#include <memory>

namespace Ixa::Ui::Controls {

class IconListViewItem : public Base::Object {
public:
    result Construct(const Graphics::Bitmap& bitmap, const Base::String* text = nullptr, const Graphics::Bitmap* selectedBitmap = nullptr);

    // Platform side: what the grid draws.
    const Graphics::Bitmap* GetBitmap() const { return bitmap_.get(); }
    const Graphics::Bitmap* GetSelectedBitmap() const { return selected_.get(); }
    Base::String GetText() const { return text_; }

private:
    std::shared_ptr<const Graphics::Bitmap> bitmap_;
    std::shared_ptr<const Graphics::Bitmap> selected_;
    Base::String text_;
};

}  // namespace Ixa::Ui::Controls
