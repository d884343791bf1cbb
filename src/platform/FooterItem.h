// An item of a footer: an action id with a text and an optional icon. A value: footers keep
// their own copies.
// Threading: user-interface thread.
#pragma once

#include "platform/Bitmap.h"
#include "platform/String.h"

#include <memory>

namespace Ixa::Ui::Controls {

enum FooterItemStatus { FOOTER_ITEM_STATUS_NORMAL = 0, FOOTER_ITEM_STATUS_PRESSED = 1, FOOTER_ITEM_STATUS_SELECTED = 2 };

class FooterItem {
public:
    result Construct(int actionId);
    result SetText(const Base::String& text);
    result SetIcon(FooterItemStatus status, const Graphics::Bitmap* bitmap);

    int GetActionId() const { return actionId_; }
    Base::String GetText() const { return text_; }
    const Graphics::Bitmap* GetIcon() const { return icon_.get(); }

private:
    int actionId_ = -1;
    Base::String text_;
    std::shared_ptr<const Graphics::Bitmap> icon_;
};

}  // namespace Ixa::Ui::Controls
