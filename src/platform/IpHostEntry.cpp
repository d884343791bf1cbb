#include "platform/IpHostEntry.h"

namespace Ixa::Net {

IpHostEntry::IpHostEntry(const std::vector<std::uint32_t>& addresses)
{
    addresses_.Construct(static_cast<int>(addresses.size()));
    for (std::uint32_t address : addresses)
        addresses_.Add(new Ip4Address(address));
}

IpHostEntry::~IpHostEntry() { addresses_.RemoveAll(true); }

const Base::Collection::IList* IpHostEntry::GetAddressList() const { return &addresses_; }

}  // namespace Ixa::Net
