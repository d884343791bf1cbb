#include "platform/UrlEncoder.h"

#include <cstring>

namespace Ixa::Base::Utility {

result UrlEncoder::Encode(const String& text, const String& encodingScheme, String& encoded)
{
    if (!encodingScheme.Equals(String("UTF-8"), false)) {
        return E_INVALID_ARG;
    }
    static constexpr char HEX[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text.ToUtf8()) {
        auto value = static_cast<unsigned char>(ch);
        bool alphanumeric = (value >= 'a' && value <= 'z') || (value >= 'A' && value <= 'Z') ||
                            (value >= '0' && value <= '9');
        if (alphanumeric || (value != 0 && std::strchr("-_.*", ch) != nullptr)) {
            out.push_back(ch);
        } else if (ch == ' ') {
            out.push_back('+');
        } else {
            out.push_back('%');
            out.push_back(HEX[value >> 4]);
            out.push_back(HEX[value & 0x0F]);
        }
    }
    encoded = String(out.c_str());
    return E_SUCCESS;
}

}  // namespace Ixa::Base::Utility
