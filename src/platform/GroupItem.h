// The header row of a group in a grouped list view: a text with an optional picture.
// Threading and ownership: user-interface thread; the text and picture are copied.
#pragma once

#include "platform/Bitmap.h"
#include "platform/ListItemBase.h"

#include <memory>

namespace Ixa::Ui::Controls {

class GroupItem : public ListItemBase {
public:
    result Construct(const Graphics::Dimension& itemSize);
    result SetElement(const Base::String& text, const Graphics::Bitmap* bitmap = nullptr);

    void Draw(Graphics::Canvas& canvas, ListItemDrawingStatus status) const override;
    std::vector<Base::String> GetTexts() const override { return {text_}; }

private:
    Base::String text_;
    std::shared_ptr<const Graphics::Bitmap> bitmap_;
};

}  // namespace Ixa::Ui::Controls
