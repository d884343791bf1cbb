// A button of a header or footer: an action id with a text or an icon (and an optional icon
// for the pressed state). A value: bars keep their own copies.
// Threading: user-interface thread.
#pragma once

#include "platform/Bitmap.h"
#include "platform/String.h"

#include <memory>

namespace Ixa::Ui::Controls {

enum ButtonItemStyle { BUTTON_ITEM_STYLE_TEXT = 0, BUTTON_ITEM_STYLE_ICON = 1 };
enum ButtonItemStatus { BUTTON_ITEM_STATUS_NORMAL = 0, BUTTON_ITEM_STATUS_PRESSED = 1, BUTTON_ITEM_STATUS_DISABLED = 2 };
enum ButtonPosition { BUTTON_POSITION_LEFT = 0, BUTTON_POSITION_RIGHT = 1 };

class ButtonItem {
public:
    result Construct(ButtonItemStyle style, int actionId);
    result SetText(const Base::String& text);
    // A copy of the bitmap is kept; null removes the icon of that status.
    result SetIcon(ButtonItemStatus status, const Graphics::Bitmap* bitmap);

    ButtonItemStyle GetStyle() const { return style_; }
    int GetActionId() const { return actionId_; }
    Base::String GetText() const { return text_; }
    const Graphics::Bitmap* GetIcon(ButtonItemStatus status) const;

private:
    ButtonItemStyle style_ = BUTTON_ITEM_STYLE_TEXT;
    int actionId_ = -1;
    Base::String text_;
    std::shared_ptr<const Graphics::Bitmap> icon_;
    std::shared_ptr<const Graphics::Bitmap> pressedIcon_;
};

}  // namespace Ixa::Ui::Controls
