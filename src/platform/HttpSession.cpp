#include "platform/HttpSession.h"

#include "platform/HttpUrl.h"
#include "platform/ThreadBoundObject.h"

#include <algorithm>

namespace Ixa::Net::Http {

HttpSession::HttpSession() = default;

HttpSession::~HttpSession() = default;

result HttpSession::Construct(NetHttpSessionMode sessionMode, const Base::String* proxyAddress,
    const Base::String& hostAddress, const HttpHeader* commonHeader, NetHttpCookieFlag cookieFlag)
{
    if (constructed_ || !Base::Runtime::ThreadBoundObject::CallerHasEventLoop())
        return E_INVALID_STATE;
    HttpUrl url;
    const bool cookiesKnown =
        cookieFlag == NET_HTTP_COOKIE_FLAG_NONE || cookieFlag == NET_HTTP_COOKIE_FLAG_ALWAYS_MANUAL;
    if (sessionMode != NET_HTTP_SESSION_MODE_NORMAL || !cookiesKnown
        || (proxyAddress != nullptr && !proxyAddress->IsEmpty()) || IsFailed(url.Parse(hostAddress)))
        return E_INVALID_ARG;
    hostAddress_ = hostAddress;
    if (commonHeader != nullptr)
        commonHeader_ = *commonHeader;
    constructed_ = true;
    return E_SUCCESS;
}

HttpTransaction* HttpSession::OpenTransactionN()
{
    if (!constructed_) {
        SetLastResult(E_INVALID_STATE);
        return nullptr;
    }
    transactions_.push_back(std::unique_ptr<HttpTransaction>(new HttpTransaction(*this)));
    SetLastResult(E_SUCCESS);
    return transactions_.back().get();
}

result HttpSession::CancelTransaction(HttpTransaction& transaction)
{
    const auto open = std::find_if(transactions_.begin(), transactions_.end(),
        [&](const std::unique_ptr<HttpTransaction>& each) { return each.get() == &transaction; });
    if (open == transactions_.end())
        return E_OBJ_NOT_FOUND;
    transaction.Cancel();
    return E_SUCCESS;
}

result HttpSession::CloseAllTransactions()
{
    transactions_.clear();
    return E_SUCCESS;
}

const Base::String& HttpSession::GetHostAddress() const { return hostAddress_; }

const HttpHeader& HttpSession::GetCommonHeader() const { return commonHeader_; }

}  // namespace Ixa::Net::Http
