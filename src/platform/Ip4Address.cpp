#include "platform/Ip4Address.h"

#include "platform/Result.h"

#include <string>

namespace Ixa::Net {

Ip4Address::Ip4Address(const Base::String& dottedText)
{
    SetLastResult(Parse(dottedText, address_) ? E_SUCCESS : E_INVALID_ARG);
}

Ip4Address::Ip4Address(std::uint32_t hostOrder) : address_(hostOrder) {}

NetAddressFamily Ip4Address::GetNetAddressFamily() const { return NET_AF_IPV4; }

Base::String Ip4Address::ToString() const
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += std::to_string((address_ >> shift) & 0xFF);
        if (shift > 0)
            text += '.';
    }
    return Base::String(text.c_str());
}

IpAddress* Ip4Address::CloneN() const
{
    SetLastResult(E_SUCCESS);
    return new Ip4Address(address_);
}

std::uint32_t Ip4Address::GetAddress() const { return address_; }

bool Ip4Address::Equals(const Base::Object& other) const
{
    const auto* address = dynamic_cast<const Ip4Address*>(&other);
    return address != nullptr && address->address_ == address_;
}

int Ip4Address::GetHashCode() const { return static_cast<int>(address_); }

bool Ip4Address::Parse(const Base::String& text, std::uint32_t& address)
{
    std::uint32_t value = 0;
    int parts = 0;
    int digits = 0;
    std::uint32_t part = 0;
    for (int i = 0; i <= text.GetLength(); ++i) {
        const wchar_t ch = i < text.GetLength() ? text[i] : L'.';
        if (ch >= L'0' && ch <= L'9' && digits < 3) {
            part = part * 10 + static_cast<std::uint32_t>(ch - L'0');
            ++digits;
            continue;
        }
        if (ch != L'.' || digits == 0 || part > 255 || ++parts > 4)
            return false;
        value = (value << 8) | part;
        part = 0;
        digits = 0;
    }
    if (parts != 4)
        return false;
    address = value;
    return true;
}

}  // namespace Ixa::Net
