// The HTTP service's session: the base URL and the fields common to its requests, and the
// transactions opened on it (each an exchange on a connection of its own). Cookies and
// proxies are not handled by the service.
// Threading and ownership: constructed on an event-driven platform thread (or another thread
// with a platform event loop), which every call and every transaction event belongs to. The
// session owns its transactions: OpenTransactionN hands one out for use, CloseAllTransactions
// or the session's destruction deletes it.
#pragma once

#include "platform/HttpHeader.h"
#include "platform/HttpTransaction.h"
#include "platform/HttpTypes.h"

#include <memory>
#include <vector>

namespace Ixa::Net::Http {

class HttpSession : public Base::Object {
public:
    HttpSession();
    ~HttpSession() override;

    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // `hostAddress` is an absolute http or https URL, the URL of requests that set none;
    // the common header's fields (copied) go out with every request. E_INVALID_ARG for a
    // proxy, another mode or cookie flag, or a host address that is not such a URL;
    // E_INVALID_STATE on a thread without a platform event loop, or when constructed already.
    result Construct(NetHttpSessionMode sessionMode, const Base::String* proxyAddress,
        const Base::String& hostAddress, const HttpHeader* commonHeader,
        NetHttpCookieFlag cookieFlag);
    // A new transaction, owned by the session; null with E_INVALID_STATE before Construct.
    HttpTransaction* OpenTransactionN();
    // Ends the transaction's exchange at once; no event follows. It stays open.
    result CancelTransaction(HttpTransaction& transaction);
    result CloseAllTransactions();

    const Base::String& GetHostAddress() const;
    const HttpHeader& GetCommonHeader() const;

private:
    bool constructed_ = false;
    Base::String hostAddress_;
    HttpHeader commonHeader_;
    std::vector<std::unique_ptr<HttpTransaction>> transactions_;
};

}  // namespace Ixa::Net::Http
