// The working part of a Dns object. Each lookup runs the system resolver (getaddrinfo, IPv4
// only) on a short-lived thread of its own, so a slow name server never holds up the Dns
// object's thread, and a Dns object can go at once even while its lookups still wait: a
// lookup that ends after the object is gone just drops its answer. The answer travels back
// through the object's handle and reaches the listener on the object's thread.
// (Qt's QHostInfo would do the same, but on a thread pool that is synchronised inside Qt where
// ThreadSanitizer cannot see it, so every lookup would be reported as a race.)
// Threading and ownership: a ThreadBoundObject (created, used and destroyed on its thread).
// The lookup threads share only the handle. The listener is not owned.
#pragma once

#include "platform/IDnsEventListener.h"
#include "platform/ThreadBoundObject.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Ixa::Net {

class DnsChannel : public Base::Runtime::ThreadBoundObject {
public:
    explicit DnsChannel(IDnsEventListener& listener);

    // False when no thread could be started for it.
    bool Lookup(const std::string& hostName);

private:
    // On a lookup thread: the name's IPv4 addresses in the resolver's order, without repeats.
    static result Resolve(const std::string& hostName, std::vector<std::uint32_t>& addresses);
    void Answer(const std::vector<std::uint32_t>& addresses, result outcome);

    IDnsEventListener& listener_;
};

}  // namespace Ixa::Net
