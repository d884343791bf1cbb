#include "platform/StringUtil.h"

#include "platform/Utf8Encoding.h"

#include <string>

namespace Ixa::Base::Utility {

namespace {

constexpr char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char16_t unit)
{
    if (unit >= u'A' && unit <= u'Z') return unit - u'A';
    if (unit >= u'a' && unit <= u'z') return unit - u'a' + 26;
    if (unit >= u'0' && unit <= u'9') return unit - u'0' + 52;
    if (unit == u'+') return 62;
    if (unit == u'/') return 63;
    return -1;
}

bool IsSkippable(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n'; }

// Collects the sextets of a Base64 text; false on a foreign character or bad padding.
bool CollectSextets(const String& base64, std::string& sextets)
{
    const char16_t* units = base64.GetPointer();
    int padding = 0;
    for (int i = 0; i < base64.GetLength(); ++i) {
        char16_t unit = units[i];
        if (IsSkippable(unit)) {
            continue;
        }
        if (unit == u'=') {
            ++padding;
            continue;
        }
        int sextet = SextetOf(unit);
        if (sextet < 0 || padding > 0) {
            return false;
        }
        sextets.push_back(static_cast<char>(sextet));
    }
    std::size_t tail = sextets.size() % 4;
    bool paddingFits = padding == 0 || (tail != 0 && tail + static_cast<std::size_t>(padding) == 4);
    return tail != 1 && paddingFits;
}

}  // namespace

result StringUtil::EncodeToBase64String(const ByteBuffer& bytes, String& base64)
{
    const byte* data = bytes.GetPointer() + bytes.GetPosition();
    int length = bytes.GetRemaining();
    std::string text;
    text.reserve(static_cast<std::size_t>((length + 2) / 3 * 4));
    for (int i = 0; i < length; i += 3) {
        unsigned int group = static_cast<unsigned int>(data[i]) << 16;
        if (i + 1 < length) group |= static_cast<unsigned int>(data[i + 1]) << 8;
        if (i + 2 < length) group |= data[i + 2];
        text.push_back(ALPHABET[(group >> 18) & 63]);
        text.push_back(ALPHABET[(group >> 12) & 63]);
        text.push_back(i + 1 < length ? ALPHABET[(group >> 6) & 63] : '=');
        text.push_back(i + 2 < length ? ALPHABET[group & 63] : '=');
    }
    base64 = String(text.c_str());
    return E_SUCCESS;
}

ByteBuffer* StringUtil::DecodeBase64StringN(const String& base64)
{
    std::string sextets;
    if (!CollectSextets(base64, sextets)) {
        SetLastResult(E_INVALID_ARG);
        return nullptr;
    }
    std::string decoded;
    unsigned int bits = 0;
    int bitCount = 0;
    for (char sextet : sextets) {
        bits = (bits << 6) | static_cast<unsigned int>(sextet);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            decoded.push_back(static_cast<char>((bits >> bitCount) & 0xFF));
        }
    }
    auto buffer = new ByteBuffer();
    buffer->Construct(static_cast<int>(decoded.size()));
    buffer->SetArray(reinterpret_cast<const byte*>(decoded.data()), 0, static_cast<int>(decoded.size()));
    buffer->Flip();
    SetLastResult(E_SUCCESS);
    return buffer;
}

ByteBuffer* StringUtil::StringToUtf8N(const String& text) { return Text::Utf8Encoding().GetBytesN(text); }

result StringUtil::Utf8ToString(const char* utf8, String& text)
{
    if (utf8 == nullptr) {
        return E_INVALID_ARG;
    }
    text = String(utf8);
    return E_SUCCESS;
}

}  // namespace Ixa::Base::Utility
