// An absolute http or https URL taken apart for one request: the scheme decides TLS and the
// default port (80 or 443), the host is where to connect and what the server's certificate
// must name, and the target is the path with its query ("/" when empty), as it goes in the
// request line. Bytes that may not appear in a request line (spaces, controls, anything
// outside ASCII, sent as UTF-8) are percent-encoded; a fragment is dropped. User
// information and bracketed IPv6 hosts are refused: the service connects over IPv4 and
// never sends credentials in a URL.
// Thread-safety: a value type.
#pragma once

#include "platform/Result.h"
#include "platform/String.h"

#include <string>

namespace Ixa::Net::Http {

class HttpUrl {
public:
    // E_INVALID_ARG when `url` is not such a URL.
    result Parse(const Base::String& url);

    bool IsSecure() const { return secure_; }
    const std::string& Host() const { return host_; }
    unsigned short Port() const { return port_; }
    const std::string& Target() const { return target_; }
    // The Host field's value: the host, and the port when it is not the scheme's default.
    std::string Authority() const;

private:
    bool secure_ = false;
    std::string host_;
    unsigned short port_ = 0;
    std::string target_;
};

}  // namespace Ixa::Net::Http
