// A network address of some family, as name resolution returns it and endpoints hold it.
// Only IPv4 exists on this platform (Ip4Address).
// Thread-safety: an immutable value.
#pragma once

#include "platform/Object.h"
#include "platform/String.h"

namespace Ixa::Net {

enum NetAddressFamily { NET_AF_IPV4 = 2 };

class IpAddress : public Base::Object {
public:
    virtual NetAddressFamily GetNetAddressFamily() const = 0;
    // The conventional text of the address ("127.0.0.1").
    virtual Base::String ToString() const = 0;
    virtual IpAddress* CloneN() const = 0;
};

}  // namespace Ixa::Net
