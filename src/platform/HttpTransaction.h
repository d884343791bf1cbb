// One HTTP request and its response, on a connection of its own: Submit connects (TLS for
// https, checked like every server the platform talks to: the certificate chain against the
// trusted authorities and the certificate's name against the URL's host), writes the
// request, and reads the response with HttpResponseParser, announcing it to the listeners as
// it arrives (IHttpTransactionEventListener).
//
// Time-out: the connect, the TLS handshake and every silence while the response is awaited
// are each allowed the transaction's time-out (DEFAULT_TIMEOUT unless set); a slow server
// that keeps sending is never cut off. Response limit: the body may hold at most the limit's
// bytes (DEFAULT_RESPONSE_LIMIT unless set), the header HttpResponseParser::MAX_HEADER; a
// response beyond either is aborted with E_OVERFLOW as soon as that is known, so a huge or
// endless response costs no more memory than the limit.
//
// Threading and ownership: made by its HttpSession, which owns it, and used on the session's
// thread (the request may be filled in elsewhere before Submit, the hand-over ordered by the
// program). It owns its request, its response and its connection; listeners are not owned.
#pragma once

#include "platform/HttpRequest.h"
#include "platform/HttpResponse.h"
#include "platform/HttpResponseParser.h"
#include "platform/HttpUrl.h"
#include "platform/IHttpTransactionEventListener.h"
#include "platform/ITimerEventListener.h"
#include "platform/SecureSocketEvent.h"
#include "platform/SocketTypes.h"
#include "platform/Timer.h"

#include <functional>
#include <memory>
#include <vector>

namespace Ixa::Net::Sockets {
class SecureSocketChannel;
}

namespace Ixa::Net::Http {

class HttpTransaction : public Base::Object, public Base::Runtime::ITimerEventListener {
public:
    static constexpr int DEFAULT_TIMEOUT = 30000;
    static constexpr long long DEFAULT_RESPONSE_LIMIT = 8LL * 1024 * 1024;

    ~HttpTransaction() override;

    HttpTransaction(const HttpTransaction&) = delete;
    HttpTransaction& operator=(const HttpTransaction&) = delete;

    result AddHttpTransactionListener(IHttpTransactionEventListener& listener);
    HttpRequest* GetRequest();
    // Null, with E_INVALID_STATE in the last-result slot, until the header has arrived.
    HttpResponse* GetResponse();
    // Before Submit; E_INVALID_ARG unless positive.
    result SetTimeout(int milliseconds);
    result SetResponseLimit(long long bytes);
    // E_SUCCESS when the exchange has started; it ends in an event. E_INVALID_STATE when
    // submitted already; E_INVALID_ARG when neither the request nor the session has a URL;
    // E_INVALID_OPERATION for CONNECT, since the service makes no tunnels.
    result Submit();

    void OnTimerExpired(Base::Runtime::Timer& timer) override;

private:
    friend class HttpSession;

    enum class Phase { Ready, Connecting, Receiving, Done };

    explicit HttpTransaction(HttpSession& session);

    // Ends the exchange without an event.
    void Cancel();
    void OnChannelEvent(Sockets::SecureSocketEvent event, Sockets::NetSocketClosedReason reason);
    void OnConnected();
    void OnReadable();
    void OnClosed(Sockets::NetSocketClosedReason reason);
    void OnCertificateFailed();
    void Complete();
    void Abort(result failure);
    void Stop();
    void Notify(const std::function<void(IHttpTransactionEventListener&)>& call);

    HttpSession& session_;
    HttpRequest request_;
    std::unique_ptr<HttpResponse> response_;
    std::unique_ptr<HttpResponseParser> parser_;
    HttpUrl url_;
    Phase phase_ = Phase::Ready;
    int timeout_ = DEFAULT_TIMEOUT;
    long long responseLimit_ = DEFAULT_RESPONSE_LIMIT;
    Base::Runtime::Timer timer_;
    // Made by Submit on the session's thread; closed and left to that thread's loop to
    // delete, since the transaction may end inside one of its events.
    Sockets::SecureSocketChannel* channel_ = nullptr;
    std::vector<IHttpTransactionEventListener*> listeners_;
};

}  // namespace Ixa::Net::Http
