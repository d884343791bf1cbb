// An IPv4 address. Built from dotted text ("192.0.2.1": four decimal parts of one to three
// digits, each at most 255, nothing else), which reports E_INVALID_ARG through the last-result
// slot and gives 0.0.0.0 when the text is not such an address; or from a 32-bit value in host
// byte order.
// Thread-safety: an immutable value.
#pragma once

#include "platform/IpAddress.h"

#include <cstdint>

namespace Ixa::Net {

class Ip4Address : public IpAddress {
public:
    explicit Ip4Address(const Base::String& dottedText);
    explicit Ip4Address(std::uint32_t hostOrder);

    NetAddressFamily GetNetAddressFamily() const override;
    Base::String ToString() const override;
    IpAddress* CloneN() const override;
    std::uint32_t GetAddress() const;

    bool Equals(const Base::Object& other) const override;
    int GetHashCode() const override;

private:
    static bool Parse(const Base::String& text, std::uint32_t& address);

    std::uint32_t address_ = 0;
};

}  // namespace Ixa::Net
