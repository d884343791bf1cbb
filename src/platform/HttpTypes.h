// The values that the HTTP service's calls take. The numbers are the platform's own and are
// fixed: programs may pass them as plain integers (GET is 64, POST is 96, a session in the
// normal mode with cookies left to the program is "mode 0, cookie flag 2").
// Thread-safety: constants only.
#pragma once

namespace Ixa::Net::Http {

enum NetHttpMethod {
    NET_HTTP_METHOD_GET = 64,
    NET_HTTP_METHOD_OPTIONS = 65,
    NET_HTTP_METHOD_HEAD = 66,
    NET_HTTP_METHOD_DELETE = 67,
    NET_HTTP_METHOD_TRACE = 68,
    NET_HTTP_METHOD_POST = 96,
    NET_HTTP_METHOD_PUT = 97,
    NET_HTTP_METHOD_CONNECT = 112,
};

// One connection per transaction, closed when the transaction ends.
enum NetHttpSessionMode { NET_HTTP_SESSION_MODE_NORMAL = 0 };

// Cookies are never kept by the service: with either flag, a program that wants them reads
// the response's fields and writes the request's itself.
enum NetHttpCookieFlag { NET_HTTP_COOKIE_FLAG_NONE = 0, NET_HTTP_COOKIE_FLAG_ALWAYS_MANUAL = 2 };

}  // namespace Ixa::Net::Http
