#include "net/SecureSocketThread.h"

#include "net/IMSecureSocket.h"
#include "net/SendRequest.h"
#include "platform/Ip4Address.h"
#include "platform/IpHostEntry.h"

using namespace Ixa::Net;
using namespace Ixa::Net::Sockets;

namespace {

// Every event a client socket raises (write, read, close, connect).
constexpr unsigned long EVENT_MASK = 0x17;

void deleteWithElements(Ixa::Base::Collection::IList* args)
{
    if (args != nullptr) {
        args->RemoveAll(true);
        delete args;
    }
}

}  // namespace

SecureSocketThread::SecureSocketThread(IMSecureSocket* owner, const IMString& host, int port)
    : owner_(owner), host_(host), verifyName_(host), port_(port)
{
}

SecureSocketThread::~SecureSocketThread()
{
    Stop();
    Join();
    // Left here only when the thread never ran; otherwise OnStop has taken them down.
    delete socket_;
    delete dns_;
    delete held_;
}

Ixa::result SecureSocketThread::construct()
{
    return Construct(Ixa::Base::Runtime::THREAD_TYPE_EVENT_DRIVEN, STACK_SIZE, Ixa::Base::Runtime::THREAD_PRIORITY_MID);
}

void SecureSocketThread::setClosing() { closing_ = true; }

bool SecureSocketThread::OnStart()
{
    owner_->getSocketInputStream()->setReceiveRoomListener(this);
    owner_->completeConnectStep(Ixa::E_SUCCESS);
    return true;
}

// The platform objects belong to this thread and go with its loop; a Close here is an
// orderly TLS close of whatever is still connected.
void SecureSocketThread::OnStop()
{
    owner_->getSocketInputStream()->setReceiveRoomListener(nullptr);
    if (socket_ != nullptr) {
        socket_->Close();
        delete socket_;
        socket_ = nullptr;
    }
    delete dns_;
    dns_ = nullptr;
    delete held_;
    held_ = nullptr;
}

void SecureSocketThread::OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args)
{
    switch (requestId) {
    case EVENT_CONNECT:
        connect();
        break;
    case EVENT_SEND:
        send(args);
        break;
    case EVENT_RESOLVE:
        resolve();
        break;
    case EVENT_END:
        Exit(0);
        break;
    case EVENT_RESUME:
        resume();
        break;
    default:
        break;
    }
    deleteWithElements(args);
}

void SecureSocketThread::connect()
{
    Ixa::result outcome = socket_ == nullptr ? openSocket() : Ixa::E_INVALID_STATE;
    if (Ixa::IsSucceeded(outcome)) {
        Ip4Address address(host_);
        outcome = Ixa::GetLastResult();
        if (Ixa::IsSucceeded(outcome)) {
            outcome = socket_->Connect(NetEndPoint(address, static_cast<unsigned short>(port_)));
        }
    }
    // On success the outcome comes later, with the connected or the closed event.
    if (Ixa::IsFailed(outcome)) {
        owner_->completeConnectStep(outcome);
    }
}

Ixa::result SecureSocketThread::openSocket()
{
    socket_ = new SecureSocket();
    Ixa::result outcome = socket_->Construct(NET_AF_IPV4, NET_SOCKET_TYPE_STREAM, NET_SOCKET_PROTOCOL_SSL);
    if (Ixa::IsSucceeded(outcome)) {
        outcome = socket_->SetSockOpt(NET_SOCKET_SOL_SOCKET, NET_SOCKET_SO_KEEPALIVE, 1);
    }
    if (Ixa::IsSucceeded(outcome)) {
        outcome = socket_->AddSecureSocketListener(*this);
    }
    if (Ixa::IsSucceeded(outcome)) {
        outcome = socket_->AsyncSelectByListener(EVENT_MASK);
    }
    if (Ixa::IsSucceeded(outcome)) {
        outcome = socket_->SetPeerVerifyName(verifyName_);
    }
    return outcome;
}

void SecureSocketThread::resolve()
{
    if (dns_ == nullptr) {
        dns_ = new Dns();
        dns_->Construct(*this);
    }
    Ixa::result started = dns_->GetHostByName(host_);
    if (Ixa::IsFailed(started)) {
        owner_->completeConnectStep(started);
    }
}

void SecureSocketThread::OnDnsResolutionCompletedN(IpHostEntry* entry, Ixa::result)
{
    Ixa::result outcome = Ixa::E_FAILURE;
    const Ixa::Base::Collection::IList* addresses = entry != nullptr ? entry->GetAddressList() : nullptr;
    if (addresses != nullptr && addresses->GetCount() > 0) {
        host_ = static_cast<IpAddress*>(addresses->GetAt(0))->ToString();
        outcome = Ixa::E_SUCCESS;
    }
    delete entry;
    owner_->completeConnectStep(outcome);
}

void SecureSocketThread::send(Ixa::Base::Collection::IList* args)
{
    auto request = args != nullptr ? dynamic_cast<SendRequest*>(args->GetAt(0)) : nullptr;
    if (request != nullptr) {
        request->sendOn(socket_);
    }
}

void SecureSocketThread::OnSecureSocketConnected(SecureSocket&)
{
    owner_->setConnected(true);
    owner_->completeConnectStep(Ixa::E_SUCCESS);
}

void SecureSocketThread::OnSecureSocketReadyToReceive(SecureSocket&)
{
    if (held_ == nullptr) {
        receiveOnce();
    }
}

// The socket raises the readiness again while bytes are left, and reports a deferred end
// after the Receive that takes the last of them, so one buffer per call is enough.
void SecureSocketThread::receiveOnce()
{
    auto buffer = new Ixa::Base::ByteBuffer();
    buffer->Construct(RECEIVE_CAPACITY);
    if (socket_ == nullptr || Ixa::IsFailed(socket_->Receive(*buffer))) {
        delete buffer;
        return;
    }
    buffer->Flip();
    offer(buffer);
}

void SecureSocketThread::offer(Ixa::Base::ByteBuffer* buffer)
{
    bool queued = Ixa::IsSucceeded(owner_->getSocketInputStream()->offer(buffer));
    held_ = queued ? nullptr : buffer;
}

// A refused offer arranges another notice, so a queue filled again in between only delays
// the held buffer to the next one.
void SecureSocketThread::resume()
{
    if (held_ != nullptr) {
        offer(held_);
        if (held_ == nullptr && pendingEnd_ == End::NONE) {
            receiveOnce();
        }
    }
    queueEnd();
}

// On the reader thread: the notice becomes an event, behind any send already posted. After
// the loop has ended the event is refused, and then nothing is left to resume.
void SecureSocketThread::onReceiveRoomAvailable() { SendUserEvent(EVENT_RESUME, nullptr); }

void SecureSocketThread::OnSecureSocketReadyToSend(SecureSocket&) {}

// Nothing to do: the platform verifies the chain and the name, and a failure ends the
// handshake with the closed event.
void SecureSocketThread::OnSecureSocketServCertFailed(SecureSocket&) {}

// The server's end of an established connection ends the reader's stream behind the last
// bytes received: as a loss, unless the client itself was ending it (a logout, a refused
// sign-in). A close of the owner's own needs no marker: it stops the reader itself.
void SecureSocketThread::OnSecureSocketClosed(SecureSocket&, NetSocketClosedReason)
{
    owner_->completeConnectStep(Ixa::E_FAILURE);
    if (closing_ || !owner_->isConnected()) {
        return;
    }
    pendingEnd_ = isLoss() ? End::LOSS : End::QUIET;
    owner_->setConnected(false);
    queueEnd();
}

// A refused marker is offered again at the next room notice, like a held buffer.
void SecureSocketThread::queueEnd()
{
    if (pendingEnd_ == End::NONE || held_ != nullptr) {
        return;
    }
    if (Ixa::IsSucceeded(owner_->getSocketInputStream()->offerEnd(pendingEnd_ == End::LOSS))) {
        pendingEnd_ = End::NONE;
        Exit(0);
    }
}

bool SecureSocketThread::isLoss() const
{
    ConnectionLossListener* connection = owner_->getConnectionObject();
    return !owner_->isLogOutRequested() && connection != nullptr &&
           connection->getConnectionState() != ConnectionLossListener::SIGN_IN_FAILED;
}
