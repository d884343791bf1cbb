// Name resolution, answered asynchronously. GetHostByName starts a lookup and returns; the
// answer, the host's IPv4 addresses, arrives as one OnDnsResolutionCompletedN call on the
// thread that constructed the object. Several lookups may run at once; each is answered once,
// unless the object is destroyed first, which drops the answers still to come.
// Threading and ownership: Construct on an event-driven platform thread, GetHostByName on that
// same thread (E_INVALID_STATE elsewhere). The listener is not owned and must outlive the
// object. The object may be destroyed on its thread outside its listener's call, or on any
// other thread; there the destructor waits for an answer being delivered, so the listener must
// not be waiting for the destroying thread.
#pragma once

#include "platform/IDnsEventListener.h"
#include "platform/Object.h"
#include "platform/Result.h"
#include "platform/String.h"

#include <memory>

namespace Ixa::Base::Runtime {
class ThreadBoundHandle;
}

namespace Ixa::Net {

class DnsChannel;

class Dns : public Base::Object {
public:
    Dns();
    ~Dns() override;

    Dns(const Dns&) = delete;
    Dns& operator=(const Dns&) = delete;

    // E_INVALID_STATE on a thread without a platform event loop, or when done already.
    result Construct(IDnsEventListener& listener);
    // E_SUCCESS when the lookup has started; E_INVALID_ARG for an empty name, E_SYSTEM when
    // the system could not start it.
    result GetHostByName(const Base::String& hostName);

private:
    std::shared_ptr<Base::Runtime::ThreadBoundHandle> handle_;
    // Dereferenced only on the channel's thread while the handle says it exists.
    DnsChannel* channel_ = nullptr;
};

}  // namespace Ixa::Net
