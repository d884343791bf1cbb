// The far end of a connection: an address and a port. The endpoint keeps its own copy of the
// address it was given.
// Thread-safety: an immutable value.
#pragma once

#include "platform/IpAddress.h"

#include <memory>

namespace Ixa::Net {

class NetEndPoint : public Base::Object {
public:
    NetEndPoint(const IpAddress& address, unsigned short port);
    NetEndPoint(const NetEndPoint& other);
    NetEndPoint& operator=(const NetEndPoint& other);
    ~NetEndPoint() override;

    const IpAddress* GetAddress() const;
    unsigned short GetPort() const;
    NetAddressFamily GetNetAddressFamily() const;

    bool Equals(const Base::Object& other) const override;
    int GetHashCode() const override;

private:
    std::unique_ptr<IpAddress> address_;
    unsigned short port_;
};

}  // namespace Ixa::Net
