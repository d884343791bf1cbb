// Exact conversion between UTF-8 bytes, UTF-16 code units and UTF-32 code points.
//
// Decoding replaces every invalid or truncated sequence, overlong form, encoded surrogate and
// value above U+10FFFF with one U+FFFD per maximal bad subpart and carries on with the rest.
// Encoding writes a lone surrogate as U+FFFD. Stateless; safe from any thread.
#pragma once

#include <cstddef>
#include <string>

namespace Ixa {

class Utf8Codec {
public:
    static constexpr char16_t REPLACEMENT = u'\uFFFD';

    static void AppendUtf8ToUtf16(const char* bytes, std::size_t length, std::u16string& out);
    static void AppendUtf16ToUtf8(const char16_t* units, std::size_t length, std::string& out);
    static void AppendCodePoint(char32_t codePoint, std::u16string& out);
    static void AppendWideToUtf16(const wchar_t* text, std::u16string& out);
    // `codePoint` is a Unicode scalar value (no surrogate, at most U+10FFFF).
    static void AppendCodePointUtf8(char32_t codePoint, std::string& out);

private:
    static std::size_t DecodeOne(const unsigned char* bytes, std::size_t length, char32_t& codePoint);
};

}  // namespace Ixa
