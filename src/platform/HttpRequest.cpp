#include "platform/HttpRequest.h"

#include "platform/HttpUrl.h"

namespace Ixa::Net::Http {

namespace {

const char* MethodName(NetHttpMethod method)
{
    switch (method) {
    case NET_HTTP_METHOD_GET: return "GET";
    case NET_HTTP_METHOD_OPTIONS: return "OPTIONS";
    case NET_HTTP_METHOD_HEAD: return "HEAD";
    case NET_HTTP_METHOD_DELETE: return "DELETE";
    case NET_HTTP_METHOD_TRACE: return "TRACE";
    case NET_HTTP_METHOD_POST: return "POST";
    case NET_HTTP_METHOD_PUT: return "PUT";
    case NET_HTTP_METHOD_CONNECT: return "CONNECT";
    }
    return nullptr;
}

}  // namespace

HttpRequest::HttpRequest() = default;

HttpRequest::~HttpRequest() = default;

result HttpRequest::SetMethod(NetHttpMethod method)
{
    if (MethodName(method) == nullptr)
        return E_INVALID_ARG;
    method_ = method;
    return E_SUCCESS;
}

NetHttpMethod HttpRequest::GetMethod() const { return method_; }

result HttpRequest::SetUri(const Base::String& uri)
{
    HttpUrl url;
    if (IsFailed(url.Parse(uri)))
        return E_INVALID_ARG;
    uri_ = uri;
    return E_SUCCESS;
}

const Base::String& HttpRequest::GetUri() const { return uri_; }

HttpHeader* HttpRequest::GetHeader() { return &header_; }

result HttpRequest::WriteBody(const Base::ByteBuffer& body)
{
    body_.append(reinterpret_cast<const char*>(body.GetPointer()) + body.GetPosition(),
        static_cast<size_t>(body.GetRemaining()));
    return E_SUCCESS;
}

std::string HttpRequest::ToWire(const HttpUrl& url, const HttpHeader* commonHeader) const
{
    std::string wire = std::string(MethodName(method_)) + " " + url.Target() + " HTTP/1.1\r\n";
    const auto isSet = [&](const char* name) {
        return header_.HasField(name) || (commonHeader != nullptr && commonHeader->HasField(name));
    };
    if (!isSet("Host"))
        wire += "Host: " + url.Authority() + "\r\n";
    if (commonHeader != nullptr)
        wire += commonHeader->ToWire();
    wire += header_.ToWire();
    const bool bodyExpected = method_ == NET_HTTP_METHOD_POST || method_ == NET_HTTP_METHOD_PUT;
    if ((!body_.empty() || bodyExpected) && !isSet("Content-Length"))
        wire += "Content-Length: " + std::to_string(body_.size()) + "\r\n";
    if (!isSet("Connection"))
        wire += "Connection: close\r\n";
    return wire + "\r\n" + body_;
}

}  // namespace Ixa::Net::Http
