// The title bar of a form: an optional icon and the title, with up to two buttons at its right
// end (the left-position button first). Buttons report their action ids to the header's
// action listeners.
// Threading and ownership: user-interface thread; owned by its form.
#pragma once

#include "platform/ActionBar.h"
#include "platform/ButtonItem.h"

#include <optional>

namespace Ixa::Ui::Controls {

class Form;

class Header : public ActionBar {
public:
    result SetTitleText(const Base::String& text);
    Base::String GetTitleText() const { return title_; }
    result SetTitleIcon(const Graphics::Bitmap* icon);
    result SetButton(ButtonPosition position, const ButtonItem& button);
    result RemoveButton(ButtonPosition position);
    void RemoveAllButtons();
    result SetButtonEnabled(ButtonPosition position, bool enable);

private:
    friend class Form;
    Header();
    void Construct(const Graphics::Rectangle& bounds);

    void Relayout() override;
    void PaintContent(QPainter& painter) override;
    int TitleLeft() const;

    Base::String title_;
    std::shared_ptr<const Graphics::Bitmap> icon_;
    std::optional<ButtonItem> buttons_[2];
    bool enabled_[2] = {true, true};
};

}  // namespace Ixa::Ui::Controls
