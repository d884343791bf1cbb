// Receives the answer of a Dns lookup, on the thread that constructed the Dns object.
// Ownership: the listener owns the entry it is given (null when the lookup failed).
#pragma once

#include "platform/IpHostEntry.h"
#include "platform/Result.h"

namespace Ixa::Net {

class IDnsEventListener {
public:
    virtual ~IDnsEventListener() = default;
    // E_SUCCESS with the entry, or a failure with null: E_OBJ_NOT_FOUND when the name has no
    // IPv4 address (or does not exist), E_SYSTEM when the resolver failed.
    virtual void OnDnsResolutionCompletedN(IpHostEntry* entry, result r) = 0;
};

}  // namespace Ixa::Net
