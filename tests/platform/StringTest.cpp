#include "platform/CaseFolding.h"
#include "platform/String.h"
#include "platform/Utf8Encoding.h"

#include <gtest/gtest.h>

using Ixa::Base::CaseFolding;
using Ixa::Base::String;

namespace {

std::u16string Units(const String& text) { return std::u16string(text.GetPointer(), static_cast<std::size_t>(text.GetLength())); }

std::string Utf8Of(char32_t codePoint)
{
    std::string out;
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
    return out;
}

}  // namespace

TEST(StringTest, CountsUtf16CodeUnitsSoAnEmojiTakesTwo)
{
    String fromUtf8("a\xF0\x9F\x98\x80" "b");
    String fromWide(L"a\U0001F600b");
    EXPECT_EQ(fromUtf8.GetLength(), 4);
    EXPECT_EQ(fromUtf8, fromWide);
    wchar_t high = 0;
    wchar_t low = 0;
    ASSERT_EQ(fromUtf8.GetCharAt(1, high), Ixa::E_SUCCESS);
    ASSERT_EQ(fromUtf8.GetCharAt(2, low), Ixa::E_SUCCESS);
    EXPECT_EQ(high, 0xD83D);
    EXPECT_EQ(low, 0xDE00);
    EXPECT_EQ(fromUtf8.ToUtf8(), "a\xF0\x9F\x98\x80" "b");
    EXPECT_EQ(fromUtf8.GetPointer()[4], u'\0');
}

TEST(StringTest, Utf8RoundTripCoversEveryPlane)
{
    std::string utf8;
    int expectedUnits = 0;
    for (char32_t codePoint = 1; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            continue;
        }
        utf8 += Utf8Of(codePoint);
        expectedUnits += codePoint >= 0x10000 ? 2 : 1;
    }
    String text(utf8.c_str());
    EXPECT_EQ(text.GetLength(), expectedUnits);
    EXPECT_EQ(text.ToUtf8(), utf8);
}

TEST(StringTest, InvalidUtf8BecomesReplacementCharactersAndTheRestSurvives)
{
    struct Case {
        const char* bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\xE2\x82" "b", u"a\uFFFDb"},             // truncated three-byte sequence
        {"\xC0\x80x", u"\uFFFD\uFFFDx"},             // overlong NUL
        {"\xED\xA0\x80!", u"\uFFFD\uFFFD\uFFFD!"},  // encoded surrogate
        {"\xF4\x90\x80\x80.", u"\uFFFD\uFFFD\uFFFD\uFFFD."},  // above U+10FFFF
        {"\x80\xFFok", u"\uFFFD\uFFFDok"},           // stray continuation, impossible byte
        {"end\xF0\x9F\x98", u"end\uFFFD"},           // cut off at the very end
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Units(String(c.bytes)), c.expected) << c.bytes;
    }
}

TEST(StringTest, LoneSurrogatesAndNulBytesConvertWithoutLoss)
{
    const char16_t loneHigh[] = {u'x', 0xD800, u'y', 0};
    EXPECT_EQ(String(loneHigh).ToUtf8(), "x\xEF\xBF\xBDy");
    const char16_t loneLowFirst[] = {0xDC00, 0xD83D, 0};
    EXPECT_EQ(String(loneLowFirst).ToUtf8(), "\xEF\xBF\xBD\xEF\xBF\xBD");

    const Ixa::byte withNul[] = {'a', 0, 'b'};
    String decoded;
    ASSERT_EQ(Ixa::Text::Utf8Encoding().GetString(withNul, 3, decoded), Ixa::E_SUCCESS);
    EXPECT_EQ(decoded.GetLength(), 3);
    EXPECT_EQ(decoded.GetPointer()[1], u'\0');

    std::string big(10 * 1024 * 1024, 'x');
    big[12345] = '\xFF';
    String huge(big.c_str());
    EXPECT_EQ(huge.GetLength(), static_cast<int>(big.size()));
    EXPECT_EQ(huge.GetPointer()[12345], u'\uFFFD');
}

TEST(StringTest, SearchAndEditingFollowCodeUnitIndexes)
{
    String text("user@example.com/Mobile");
    int index = -7;
    EXPECT_EQ(text.IndexOf(L'/', 0, index), Ixa::E_SUCCESS);
    EXPECT_EQ(index, 16);
    index = -7;
    EXPECT_EQ(text.IndexOf(String("#"), 0, index), Ixa::E_OBJ_NOT_FOUND);
    EXPECT_EQ(index, -7);
    EXPECT_EQ(text.IndexOf(L'@', 30, index), Ixa::E_OUT_OF_RANGE);

    ASSERT_EQ(text.SubString(0, 16, text), Ixa::E_SUCCESS);
    EXPECT_EQ(text, String("user@example.com"));
    EXPECT_EQ(text.SubString(10, 7, text), Ixa::E_OUT_OF_RANGE);
    EXPECT_EQ(text.Remove(4, 12), Ixa::E_SUCCESS);
    EXPECT_EQ(text, String("user"));

    String spaced(" \t\n padded\u00A0 \r\n");
    spaced.Trim();
    EXPECT_EQ(spaced, String("padded"));

    String replaced("a<b<c");
    replaced.Replace(String("<"), String("&lt;"));
    EXPECT_EQ(replaced, String("a&lt;b&lt;c"));
}

TEST(StringTest, ComparisonAndCaseMappingAreLocaleIndependent)
{
    EXPECT_TRUE(String("ABC").Equals(String("abc"), false));
    EXPECT_FALSE(String("ABC").Equals(String("abc"), true));
    EXPECT_TRUE(String("\xC3\x84rger").Equals(String("\xC3\xA4RGER"), false));
    EXPECT_EQ(String("TITLE I").ToLower(), String("title i"));
    EXPECT_EQ(String("stra\xC3\x9F" "e").ToUpper().ToUtf8(), "STRASSE");
    // Folding ignores case like the comparison and keeps every position: U+FB01 stays one
    // character, a Deseret capital (outside the BMP) folds to its small letter, a lone
    // surrogate is kept.
    EXPECT_EQ(CaseFolding::Fold(String(u"Stra\u00dfe \ufb01 X-( \U00010400 \xd800")), String(u"stra\u00dfe \ufb01 x-( \U00010428 \xd800"));
    EXPECT_EQ(CaseFolding::Fold(String(u"\u0130")).GetLength(), 1);
    EXPECT_LT(String("a").CompareTo(String("b")), 0);
    EXPECT_GT(String("b").CompareTo(String("a")), 0);
    // Ordinal by code unit: U+FFFD sorts after the surrogates of an emoji.
    EXPECT_GT(String("\xEF\xBF\xBD").CompareTo(String("\xF0\x9F\x98\x80")), 0);
    EXPECT_EQ(String("same").GetHashCode(), String("same").GetHashCode());
    EXPECT_TRUE(String("x").Equals(static_cast<const Ixa::Base::Object&>(String("x"))));
}

TEST(StringTest, AppendAndFormatProduceExactText)
{
    String text;
    text.Append(L"n=");
    text.Append(-42);
    text.Append(',');
    text.Append(1234567890123LL);
    text.Append(L'\u00E9');
    EXPECT_EQ(text.ToUtf8(), "n=-42,1234567890123\xC3\xA9");

    String formatted;
    ASSERT_EQ(formatted.Format(100, L"%d|%5s|%-4ls|%05.1f|%x|%c|%%|%lld", 7, "ab", L"\U0001F600", 3.14159, 255, 'z',
                               -5LL),
              Ixa::E_SUCCESS);
    EXPECT_EQ(formatted.ToUtf8(), "7|   ab|\xF0\x9F\x98\x80  |003.1|ff|z|%|-5");

    String truncated;
    truncated.Format(4, L"%s", "abcdefgh");
    EXPECT_EQ(truncated, String("abcd"));
}
