#include "platform/HttpUrl.h"

#include <cctype>

namespace Ixa::Net::Http {

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

bool IsHostCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
}

bool ParsePort(const std::string& text, unsigned short& port)
{
    if (text.empty() || text.size() > 5)
        return false;
    unsigned value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > 65535)
        return false;
    port = static_cast<unsigned short>(value);
    return true;
}

std::string EncodeTarget(const std::string& raw)
{
    static const char* hex = "0123456789ABCDEF";
    std::string target;
    for (unsigned char c : raw) {
        if (c <= 0x20 || c >= 0x7F) {
            target += '%';
            target += hex[c >> 4];
            target += hex[c & 0x0F];
        } else {
            target += static_cast<char>(c);
        }
    }
    return target.empty() || target[0] != '/' ? "/" + target : target;
}

}  // namespace

result HttpUrl::Parse(const Base::String& url)
{
    std::string text = url.ToUtf8();
    size_t start = 0;
    if (StartsWithIgnoringCase(text, "https://")) {
        secure_ = true;
        start = 8;
    } else if (StartsWithIgnoringCase(text, "http://")) {
        secure_ = false;
        start = 7;
    } else {
        return E_INVALID_ARG;
    }
    text = text.substr(0, text.find('#'));
    const size_t authorityEnd = text.find_first_of("/?", start);
    const std::string authority = text.substr(start, authorityEnd - start);
    const size_t colon = authority.find(':');
    host_ = authority.substr(0, colon);
    port_ = secure_ ? 443 : 80;
    if (host_.empty() || (colon != std::string::npos && !ParsePort(authority.substr(colon + 1), port_)))
        return E_INVALID_ARG;
    for (char c : host_) {
        if (!IsHostCharacter(c))
            return E_INVALID_ARG;
    }
    target_ = EncodeTarget(authorityEnd == std::string::npos ? "" : text.substr(authorityEnd));
    return E_SUCCESS;
}

std::string HttpUrl::Authority() const
{
    const bool defaultPort = port_ == (secure_ ? 443 : 80);
    return defaultPort ? host_ : host_ + ":" + std::to_string(port_);
}

}  // namespace Ixa::Net::Http
