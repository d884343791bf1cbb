// The answer of a name resolution: the addresses found for a host name, in the resolver's
// order. Only IPv4 addresses are listed (Ip4Address elements); an entry is never empty.
// Thread-safety: none; handed whole to the listener that receives it, which owns it.
#pragma once

#include "platform/ArrayList.h"
#include "platform/Ip4Address.h"

#include <vector>

namespace Ixa::Net {

class IpHostEntry : public Base::Object {
public:
    explicit IpHostEntry(const std::vector<std::uint32_t>& addresses);
    ~IpHostEntry() override;

    IpHostEntry(const IpHostEntry&) = delete;
    IpHostEntry& operator=(const IpHostEntry&) = delete;

    // The entry's own list of IpAddress elements; valid while the entry lives.
    const Base::Collection::IList* GetAddressList() const;

private:
    Base::Collection::ArrayList addresses_;
};

}  // namespace Ixa::Net
