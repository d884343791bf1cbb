#include "platform/Utf8Codec.h"

namespace Ixa {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Lowest and highest allowed second byte for a lead byte; this rules out overlong forms,
// surrogates and values above U+10FFFF with the first continuation byte already.
void SecondByteRange(unsigned char lead, unsigned char& low, unsigned char& high)
{
    low = 0x80;
    high = 0xBF;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
}

}  // namespace

std::size_t Utf8Codec::DecodeOne(const unsigned char* bytes, std::size_t length, char32_t& codePoint)
{
    unsigned char lead = bytes[0];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t needed = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed = 1;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed = 2;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed = 3;
        codePoint = lead & 0x07;
    } else {
        codePoint = REPLACEMENT;
        return 1;
    }
    unsigned char low;
    unsigned char high;
    SecondByteRange(lead, low, high);
    for (std::size_t i = 1; i <= needed; ++i) {
        bool valid = i < length && (i == 1 ? bytes[i] >= low && bytes[i] <= high : IsContinuation(bytes[i]));
        if (!valid) {
            codePoint = REPLACEMENT;
            return i;
        }
        codePoint = (codePoint << 6) | (bytes[i] & 0x3F);
    }
    return needed + 1;
}

void Utf8Codec::AppendUtf8ToUtf16(const char* bytes, std::size_t length, std::u16string& out)
{
    auto data = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t position = 0;
    out.reserve(out.size() + length);
    while (position < length) {
        // ASCII, by far the most common input, maps to itself.
        if (data[position] < 0x80) {
            out.push_back(data[position++]);
            continue;
        }
        char32_t codePoint;
        position += DecodeOne(data + position, length - position, codePoint);
        AppendCodePoint(codePoint, out);
    }
}

void Utf8Codec::AppendCodePoint(char32_t codePoint, std::u16string& out)
{
    if (codePoint > 0x10FFFF || IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint)) {
        out.push_back(REPLACEMENT);
    } else if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(codePoint));
    }
}

void Utf8Codec::AppendWideToUtf16(const wchar_t* text, std::u16string& out)
{
    for (; *text != 0; ++text) {
        AppendCodePoint(static_cast<char32_t>(*text), out);
    }
}

void Utf8Codec::AppendCodePointUtf8(char32_t codePoint, std::string& out)
{
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
}

void Utf8Codec::AppendUtf16ToUtf8(const char16_t* units, std::size_t length, std::string& out)
{
    for (std::size_t i = 0; i < length; ++i) {
        char32_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < length && IsLowSurrogate(units[i + 1])) {
            char32_t low = units[++i];
            AppendCodePointUtf8(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), out);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendCodePointUtf8(REPLACEMENT, out);
        } else {
            AppendCodePointUtf8(unit, out);
        }
    }
}

}  // namespace Ixa
