// Rich text measured to fit: laid out again at the width it reports, a text keeps its lines,
// so a bubble sized from that width and height shows the whole text.
#include "platform/EnrichedText.h"
#include "platform/Font.h"
#include "platform/TextElement.h"

#include <gtest/gtest.h>

#include <string>

using namespace Ixa;

namespace {

TEST(EnrichedTextTest, TextKeepsItsLinesAtTheWidthItReports)
{
    const std::string words[] = {"Hi,", "Robin", "here!", "You", "said:", "\u201cHello", "Robin!", "How", "are", "you?\u201d",
        "mmm", "iiiii", "W", "a", "longish-word", "1234"};
    Graphics::Font font;
    font.Construct(Graphics::FONT_STYLE_PLAIN, 28);
    int narrowed = 0;
    for (int count = 1; count <= 40; ++count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += (i > 0 ? " " : "") + words[(i * 7 + count) % std::size(words)];
        Graphics::EnrichedText rich;
        ASSERT_EQ(E_SUCCESS, rich.Construct(Graphics::Dimension(302, 4000)));
        rich.SetTextWrapStyle(Graphics::TEXT_WRAP_WORD_WRAP);
        auto* run = new Graphics::TextElement;
        run->Construct(Base::String(text.c_str()));
        run->SetFont(font);
        rich.Add(*run);
        const int lines = rich.GetTotalLineCount();
        const int height = rich.GetTotalLineHeight();
        const int width = rich.GetWidth();
        ASSERT_LE(width, 302) << text;
        narrowed += width < 302 ? 1 : 0;
        rich.SetSize(Graphics::Dimension(width, 4000));
        EXPECT_EQ(lines, rich.GetTotalLineCount()) << text;
        EXPECT_EQ(height, rich.GetTotalLineHeight()) << text;
        rich.RemoveAll(true);
    }
    EXPECT_GT(narrowed, 20);
}

}  // namespace
