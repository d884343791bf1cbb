// The request of one transaction: method, URI, header fields and body. The transaction
// writes it out when it is submitted, adding the fields HTTP/1.1 needs that the program did
// not set itself: Host, Content-Length (for a body, or a POST or PUT without one) and
// "Connection: close", since every transaction has a connection of its own. Fields the
// program set go out as they are, a Content-Length of its own included.
// Threading and ownership: none; used by one thread at a time, and left alone once its
// transaction is submitted. Owned by its transaction; it owns its header.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/HttpHeader.h"
#include "platform/HttpTypes.h"

#include <string>

namespace Ixa::Net::Http {

class HttpUrl;

class HttpRequest : public Base::Object {
public:
    HttpRequest();
    ~HttpRequest() override;

    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // E_INVALID_ARG for a value that is not one of NetHttpMethod.
    result SetMethod(NetHttpMethod method);
    NetHttpMethod GetMethod() const;
    // An absolute http or https URL; E_INVALID_ARG otherwise.
    result SetUri(const Base::String& uri);
    const Base::String& GetUri() const;
    HttpHeader* GetHeader();
    // Appends the bytes between the buffer's position and its limit to the body.
    result WriteBody(const Base::ByteBuffer& body);

    // The request line, the fields and the body, for `url` (the parsed URI).
    std::string ToWire(const HttpUrl& url, const HttpHeader* commonHeader) const;

private:
    NetHttpMethod method_ = NET_HTTP_METHOD_GET;
    Base::String uri_;
    HttpHeader header_;
    std::string body_;
};

}  // namespace Ixa::Net::Http
