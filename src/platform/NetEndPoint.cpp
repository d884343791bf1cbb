#include "platform/NetEndPoint.h"

namespace Ixa::Net {

NetEndPoint::NetEndPoint(const IpAddress& address, unsigned short port)
    : address_(address.CloneN()), port_(port)
{
}

NetEndPoint::NetEndPoint(const NetEndPoint& other)
    : Object(other), address_(other.address_->CloneN()), port_(other.port_)
{
}

NetEndPoint& NetEndPoint::operator=(const NetEndPoint& other)
{
    if (this != &other) {
        address_.reset(other.address_->CloneN());
        port_ = other.port_;
    }
    return *this;
}

NetEndPoint::~NetEndPoint() = default;

const IpAddress* NetEndPoint::GetAddress() const { return address_.get(); }

unsigned short NetEndPoint::GetPort() const { return port_; }

NetAddressFamily NetEndPoint::GetNetAddressFamily() const
{
    return address_->GetNetAddressFamily();
}

bool NetEndPoint::Equals(const Base::Object& other) const
{
    const auto* endPoint = dynamic_cast<const NetEndPoint*>(&other);
    return endPoint != nullptr && endPoint->port_ == port_
        && endPoint->address_->Equals(*address_);
}

int NetEndPoint::GetHashCode() const
{
    return static_cast<int>(static_cast<unsigned>(address_->GetHashCode()) * 31u + port_);
}

}  // namespace Ixa::Net
