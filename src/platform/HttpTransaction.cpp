#include "platform/HttpTransaction.h"

#include "platform/EventPoster.h"
#include "platform/HttpSession.h"
#include "platform/SecureSocketChannel.h"

#include <algorithm>

namespace Ixa::Net::Http {

using Sockets::NetSocketClosedReason;
using Sockets::SecureSocketChannel;
using Sockets::SecureSocketEvent;

namespace {

// What one readiness event takes from the connection; the connection announces the rest.
constexpr qint64 ReceiveSize = 16 * 1024;

}  // namespace

HttpTransaction::HttpTransaction(HttpSession& session) : session_(session) {}

HttpTransaction::~HttpTransaction() { Stop(); }

result HttpTransaction::AddHttpTransactionListener(IHttpTransactionEventListener& listener)
{
    if (std::find(listeners_.begin(), listeners_.end(), &listener) != listeners_.end())
        return E_OBJ_ALREADY_EXIST;
    listeners_.push_back(&listener);
    return E_SUCCESS;
}

HttpRequest* HttpTransaction::GetRequest() { return &request_; }

HttpResponse* HttpTransaction::GetResponse()
{
    SetLastResult(response_ ? E_SUCCESS : E_INVALID_STATE);
    return response_.get();
}

result HttpTransaction::SetTimeout(int milliseconds)
{
    if (milliseconds <= 0)
        return E_INVALID_ARG;
    if (phase_ != Phase::Ready)
        return E_INVALID_STATE;
    timeout_ = milliseconds;
    return E_SUCCESS;
}

result HttpTransaction::SetResponseLimit(long long bytes)
{
    if (bytes <= 0)
        return E_INVALID_ARG;
    if (phase_ != Phase::Ready)
        return E_INVALID_STATE;
    responseLimit_ = bytes;
    return E_SUCCESS;
}

result HttpTransaction::Submit()
{
    if (phase_ != Phase::Ready)
        return E_INVALID_STATE;
    if (request_.GetMethod() == NET_HTTP_METHOD_CONNECT)
        return E_INVALID_OPERATION;
    const Base::String& uri = request_.GetUri().IsEmpty() ? session_.GetHostAddress() : request_.GetUri();
    if (IsFailed(url_.Parse(uri)))
        return E_INVALID_ARG;
    if (IsFailed(timer_.Construct(*this)))
        return E_INVALID_STATE;
    parser_ = std::make_unique<HttpResponseParser>(
        request_.GetMethod() == NET_HTTP_METHOD_HEAD, responseLimit_);
    channel_ = new SecureSocketChannel(
        [this](SecureSocketEvent event, NetSocketClosedReason reason) { OnChannelEvent(event, reason); });
    const QString host = QString::fromStdString(url_.Host());
    // Loading the system's authorities takes a while the first time; plain HTTP needs none.
    const QList<QSslCertificate> trusted =
        url_.IsSecure() ? SecureSocketChannel::TrustedCertificates() : QList<QSslCertificate>();
    SecureSocketChannel::ConnectRequest connect{
        host, url_.Port(), host, trusted, timeout_, timeout_, url_.IsSecure()};
    phase_ = Phase::Connecting;
    if (!channel_->Connect(connect)) {
        Cancel();
        return E_SYSTEM;
    }
    return E_SUCCESS;
}

void HttpTransaction::OnTimerExpired(Base::Runtime::Timer&) { Abort(E_TIMEOUT); }

void HttpTransaction::Cancel()
{
    Stop();
    phase_ = Phase::Done;
}

void HttpTransaction::OnChannelEvent(SecureSocketEvent event, NetSocketClosedReason reason)
{
    switch (event) {
    case SecureSocketEvent::Connected:
        OnConnected();
        break;
    case SecureSocketEvent::ReadyToReceive:
        OnReadable();
        break;
    case SecureSocketEvent::ServCertFailed:
        OnCertificateFailed();
        break;
    case SecureSocketEvent::Closed:
        OnClosed(reason);
        break;
    case SecureSocketEvent::ReadyToSend:
        break;
    }
}

void HttpTransaction::OnConnected()
{
    const std::string wire = request_.ToWire(url_, &session_.GetCommonHeader());
    if (!channel_->Send(wire.data(), static_cast<qint64>(wire.size()))) {
        Abort(E_SYSTEM);
        return;
    }
    phase_ = Phase::Receiving;
    timer_.Start(timeout_);
}

void HttpTransaction::OnReadable()
{
    char bytes[ReceiveSize];
    const qint64 count = channel_->Receive(bytes, ReceiveSize);
    if (phase_ != Phase::Receiving || count <= 0)
        return;
    timer_.Start(timeout_);
    const bool hadHeader = parser_->IsHeaderComplete();
    std::string body;
    const result parsed = parser_->Feed(bytes, static_cast<size_t>(count), body);
    if (IsFailed(parsed)) {
        Abort(parsed);
        return;
    }
    if (!hadHeader && parser_->IsHeaderComplete()) {
        response_ = std::make_unique<HttpResponse>(parser_->StatusCode(), parser_->Fields());
        const int status = parser_->StatusCode();
        const int headerLength = static_cast<int>(parser_->HeaderLength());
        Notify([&](IHttpTransactionEventListener& listener) {
            listener.OnTransactionHeaderCompleted(
                session_, *this, headerLength, status == 401 || status == 407);
        });
    }
    if (!body.empty()) {
        response_->AppendBody(body);
        const int available = response_->GetAvailableBodyLength();
        Notify([&](IHttpTransactionEventListener& listener) {
            listener.OnTransactionReadyToRead(session_, *this, available);
        });
    }
    if (parser_->IsComplete())
        Complete();
}

void HttpTransaction::OnClosed(NetSocketClosedReason reason)
{
    if (phase_ == Phase::Receiving && reason == Sockets::NET_SOCKET_CLOSED_REASON_REMOTE_HOST) {
        const result finished = parser_->Finish();
        if (IsFailed(finished))
            Abort(finished);
        else
            Complete();
        return;
    }
    Abort(reason == Sockets::NET_SOCKET_CLOSED_REASON_TIMEOUT ? E_TIMEOUT : E_SYSTEM);
}

void HttpTransaction::OnCertificateFailed()
{
    const Base::String server((url_.Host() + ":" + std::to_string(url_.Port())).c_str());
    Notify([&](IHttpTransactionEventListener& listener) {
        listener.OnTransactionCertVerificationRequiredN(session_, *this, new Base::String(server));
    });
}

void HttpTransaction::Complete()
{
    Stop();
    phase_ = Phase::Done;
    Notify([&](IHttpTransactionEventListener& listener) {
        listener.OnTransactionCompleted(session_, *this);
    });
}

void HttpTransaction::Abort(result failure)
{
    if (phase_ == Phase::Done)
        return;
    Stop();
    phase_ = Phase::Done;
    Notify([&](IHttpTransactionEventListener& listener) {
        listener.OnTransactionAborted(session_, *this, failure);
    });
}

void HttpTransaction::Stop()
{
    if (phase_ != Phase::Ready)
        timer_.Cancel();
    if (channel_ == nullptr)
        return;
    channel_->Close();
    Base::Runtime::EventPoster::DeleteLater(*channel_);
    channel_ = nullptr;
}

void HttpTransaction::Notify(const std::function<void(IHttpTransactionEventListener&)>& call)
{
    const std::vector<IHttpTransactionEventListener*> listeners = listeners_;
    for (IHttpTransactionEventListener* listener : listeners)
        call(*listener);
}

}  // namespace Ixa::Net::Http
