#include "emoticons/EmoticonSegmenter.h"
#include "emoticons/EmoticonTables.h"
#include "emoticons/EmoticonTextParser.h"
#include "emoticons/_EMOTICON_POS.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using Ixa::Base::Collection::ArrayList;
using Ixa::Base::String;

namespace {

// (position, row, length) of every match, in list order; empty when the parser found nothing.
using Match = std::tuple<int, int, int>;

std::vector<Match> Parse(const char16_t* utf16)
{
    String text(utf16);
    std::unique_ptr<ArrayList> list(EmoticonTextParser().ParseText(text));
    std::vector<Match> matches;
    if (list == nullptr) {
        return matches;
    }
    for (int i = 0; i < list->GetCount(); ++i) {
        auto match = static_cast<_EMOTICON_POS*>(list->GetAt(i));
        EXPECT_EQ(match->picture, gtalkEmoticonTable[match->index].picture);
        matches.emplace_back(match->position, match->index, match->length);
    }
    EXPECT_FALSE(matches.empty()) << "an empty list is returned as null";
    list->RemoveAll(true);
    return matches;
}

// The drawn pieces: text runs as they are, pictures as "[name]".
std::string Drawn(const char16_t* utf16)
{
    std::string drawn;
    for (const EmoticonSegment& segment : EmoticonSegmenter::Split(String(utf16))) {
        std::string value = segment.value.ToUtf8();
        if (segment.kind == EmoticonSegment::Kind::Picture) {
            value = "[" + std::filesystem::path(value).stem().string() + "]";
        }
        drawn += value;
    }
    return drawn;
}

}  // namespace

TEST(EmoticonTextParserTest, FindsEveryCodeIgnoringCaseOrderedByRowThenPosition)
{
    EXPECT_TRUE(Parse(u"").empty());
    EXPECT_TRUE(Parse(u"no faces here: just text").empty());
    EXPECT_EQ(Parse(u":):)"), (std::vector<Match>{{0, 0, 2}, {2, 0, 2}}));
    EXPECT_EQ(Parse(u"ab :p"), (std::vector<Match>{{3, 9, 2}}));
    EXPECT_EQ(Parse(u"X-( then :d"), (std::vector<Match>{{9, 1, 2}, {0, 6, 3}}));
    EXPECT_EQ(Parse(u"see you ;)"), (std::vector<Match>{{8, 2, 2}}));
    EXPECT_EQ(Parse(u":-)"), (std::vector<Match>{{0, 12, 3}}));
    // Overlapping codes of different rows are all reported, the lower row first.
    EXPECT_EQ(Parse(u"}:-)"), (std::vector<Match>{{1, 12, 3}, {0, 14, 4}}));
    // Positions count UTF-16 units: the emoji before the code takes two.
    EXPECT_EQ(Parse(u"\U0001F600:("), (std::vector<Match>{{2, 7, 2}}));
}

// Letters whose upper case is longer ("\u00df" to "SS", "\ufb01" to "FI", "\u0149" to two
// characters) must not move a code away from where it was typed.
TEST(EmoticonTextParserTest, CodesBehindLettersThatUpperCaseLongerStayWhereTheyWereTyped)
{
    const struct {
        const char16_t* text;
        std::vector<Match> matches;
        std::string drawn;
    } cases[] = {
        {u"Gr\u00fc\u00dfe :) ok", {{6, 0, 2}}, "Gr\u00fc\u00dfe [smile] ok"},
        {u"\ufb01 :)", {{2, 0, 2}}, "\ufb01 [smile]"},
        {u"\u0149:P", {{1, 9, 2}}, "\u0149[tongue]"},
        {u"\ufb01\ufb01\ufb01:)", {{3, 0, 2}}, "\ufb01\ufb01\ufb01[smile]"},
        {u"\ufb03 \u00df \u0149 <3 :d", {{9, 1, 2}, {6, 10, 2}}, "\ufb03 \u00df \u0149 [heart] [grin]"},
        {u"\u0130X-( \u1e9e", {{1, 6, 3}}, "\u0130[angry] \u1e9e"},
    };
    for (const auto& example : cases) {
        const std::string text = String(example.text).ToUtf8();
        EXPECT_EQ(Parse(example.text), example.matches) << text;
        EXPECT_EQ(Drawn(example.text), example.drawn) << text;
    }
}

TEST(EmoticonTextParserTest, DrawingLetsTheFirstMatchAtAPositionWinAndSkipsCodesInsideIt)
{
    EXPECT_EQ(Drawn(u"hello :)"), "hello [smile]");
    EXPECT_EQ(Drawn(u"}:-)"), "[devil]");
    EXPECT_EQ(Drawn(u":):)x"), "[smile][smile]x");
    EXPECT_EQ(Drawn(u"a <3 b :--( c"), "a [heart] b [cry] c");
    EXPECT_EQ(Drawn(u"\"<&> \U0001F600"), "\"<&> \U0001F600");
    EXPECT_TRUE(EmoticonSegmenter::Split(String(u"")).empty());
}

TEST(EmoticonTablesTest, EveryPictureTheChatDrawsOrThePickerShowsIsAResource)
{
    const std::filesystem::path resources(VELOIM_RESOURCE_DIR);
    for (const EmoticonRow& row : gtalkEmoticonTable) {
        EXPECT_TRUE(std::filesystem::exists(resources / row.picture.ToUtf8())) << row.picture.ToUtf8();
    }
    for (const EmoticonRow& entry : pickerEmoticonTable) {
        EXPECT_TRUE(std::filesystem::exists(resources / PickerGridPicture(entry.picture).ToUtf8()));
        // The picker inserts a code that is drawn again as the same picture.
        std::vector<EmoticonSegment> drawn = EmoticonSegmenter::Split(entry.code);
        ASSERT_EQ(drawn.size(), 1u) << entry.code.ToUtf8();
        EXPECT_EQ(drawn[0].kind, EmoticonSegment::Kind::Picture);
        EXPECT_EQ(drawn[0].value, PickerPanelPicture(entry.picture)) << entry.code.ToUtf8();
    }
}
