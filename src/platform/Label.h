// A piece of text (word-wrapped inside the label) and/or a background picture. Labels take no
// touches of their own: a touch goes to the control below.
// Threading and ownership: user-interface thread.
#pragma once

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/UiTypes.h"

#include <memory>

class QPainter;

namespace Ixa::Ui::Controls {

enum LabelTextStyle { LABEL_TEXT_STYLE_NORMAL = 0, LABEL_TEXT_STYLE_BOLD = 1, LABEL_TEXT_STYLE_ITALIC = 2 };

class Label : public Control {
public:
    Label();
    ~Label() override;

    result Construct(const Graphics::Rectangle& rect, const Base::String& text);
    result SetText(const Base::String& text);
    Base::String GetText() const { return text_; }
    result SetTextColor(const Graphics::Color& color);
    result SetTextConfig(int size, LabelTextStyle style);
    int GetTextSize() const { return size_; }
    result SetTextHorizontalAlignment(HorizontalAlignment alignment);
    result SetTextVerticalAlignment(VerticalAlignment alignment);
    result SetBackgroundColor(const Graphics::Color& color);
    // Drawn stretched over the label (a ".9.png" keeps its corners); null removes it.
    result SetBackgroundBitmap(const Graphics::Bitmap* bitmap);

private:
    void Paint(QPainter& painter);

    Base::String text_;
    Graphics::Color color_ = Graphics::Color(255, 255, 255);
    Graphics::Color background_ = Graphics::Color(0, 0, 0, 0);
    std::unique_ptr<Graphics::Bitmap> bitmap_;
    int size_ = 28;
    LabelTextStyle style_ = LABEL_TEXT_STYLE_NORMAL;
    HorizontalAlignment horizontal_ = ALIGNMENT_LEFT;
    VerticalAlignment vertical_ = ALIGNMENT_MIDDLE;
};

}  // namespace Ixa::Ui::Controls
