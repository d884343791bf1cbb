#include "screens/TextMetrics.h"

#include "platform/EnrichedText.h"
#include "platform/Font.h"
#include "platform/TextElement.h"

namespace {

constexpr int MeasureBoxWidth = 4000;

}  // namespace

int TextMetrics::Width(const Ixa::Base::String& text, int fontSize)
{
    if (text.IsEmpty()) {
        return 0;
    }
    Ixa::Graphics::TextElement element;
    Ixa::Graphics::Font font;
    if (Ixa::IsFailed(element.Construct(text)) || Ixa::IsFailed(font.Construct(Ixa::Graphics::FONT_STYLE_PLAIN, fontSize))) {
        return 0;
    }
    element.SetFont(font);
    Ixa::Graphics::EnrichedText line;
    line.Construct(Ixa::Graphics::Dimension(MeasureBoxWidth, 2 * fontSize));
    line.SetTextWrapStyle(Ixa::Graphics::TEXT_WRAP_NONE);
    line.Add(element);
    const int width = line.GetWidth();
    line.RemoveAll(false);
    return width;
}
