#include "platform/DnsChannel.h"

#include "platform/ThreadBoundHandle.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <system_error>
#include <thread>

namespace Ixa::Net {

DnsChannel::DnsChannel(IDnsEventListener& listener) : listener_(listener) {}

bool DnsChannel::Lookup(const std::string& hostName)
{
    try {
        // The posted answer runs only while this object exists, so it may use `this`.
        std::thread([this, handle = Handle(), hostName] {
            std::vector<std::uint32_t> addresses;
            const result outcome = Resolve(hostName, addresses);
            handle->Post([this, addresses, outcome] { Answer(addresses, outcome); });
        }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

result DnsChannel::Resolve(const std::string& hostName, std::vector<std::uint32_t>& addresses)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_IDN;
    addrinfo* found = nullptr;
    const int error = getaddrinfo(hostName.c_str(), nullptr, &hints, &found);
    if (error != 0) {
        const bool noSuchName = error == EAI_NONAME || error == EAI_NODATA
            || error == EAI_ADDRFAMILY || error == EAI_FAIL;
        return noSuchName ? E_OBJ_NOT_FOUND : E_SYSTEM;
    }
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        const std::uint32_t value = ntohl(address->sin_addr.s_addr);
        if (std::find(addresses.begin(), addresses.end(), value) == addresses.end())
            addresses.push_back(value);
    }
    freeaddrinfo(found);
    return addresses.empty() ? E_OBJ_NOT_FOUND : E_SUCCESS;
}

void DnsChannel::Answer(const std::vector<std::uint32_t>& addresses, result outcome)
{
    Handle()->RunUnlessReleased([&] {
        listener_.OnDnsResolutionCompletedN(
            outcome == E_SUCCESS ? new IpHostEntry(addresses) : nullptr, outcome);
    });
}

}  // namespace Ixa::Net
