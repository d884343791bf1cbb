#include "platform/Dns.h"

#include "platform/DnsChannel.h"
#include "platform/ThreadBoundHandle.h"

namespace Ixa::Net {

Dns::Dns() = default;

Dns::~Dns()
{
    if (handle_)
        handle_->Release();
}

result Dns::Construct(IDnsEventListener& listener)
{
    if (handle_ || !Base::Runtime::ThreadBoundObject::CallerHasEventLoop())
        return E_INVALID_STATE;
    channel_ = new DnsChannel(listener);
    handle_ = channel_->Handle();
    return E_SUCCESS;
}

result Dns::GetHostByName(const Base::String& hostName)
{
    if (!handle_ || handle_->ObjectOnCallerThread() == nullptr)
        return E_INVALID_STATE;
    if (hostName.IsEmpty())
        return E_INVALID_ARG;
    return channel_->Lookup(hostName.ToUtf8()) ? E_SUCCESS : E_SYSTEM;
}

}  // namespace Ixa::Net
