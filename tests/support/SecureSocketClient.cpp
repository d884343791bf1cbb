#include "SecureSocketClient.h"

#include "platform/Ip4Address.h"

#include <algorithm>

using namespace Ixa;
using namespace Ixa::Net;
using namespace Ixa::Net::Sockets;

namespace TestSupport {

namespace {

constexpr unsigned long EveryEvent = NET_SOCKET_EVENT_WRITE | NET_SOCKET_EVENT_READ
    | NET_SOCKET_EVENT_CLOSE | NET_SOCKET_EVENT_CONNECT;

}  // namespace

SecureSocketClient::SecureSocketClient(int receiveChunk) : receiveChunk_(receiveChunk) {}

SecureSocketClient::~SecureSocketClient() = default;

result SecureSocketClient::Connect(
    const std::string& address, unsigned short port, const std::string& verifyName)
{
    result outcome = E_FAILURE;
    RunOnSocketThread([&](SecureSocket*) {
        auto socket = std::make_unique<SecureSocket>();
        outcome = socket->Construct(NET_AF_IPV4, NET_SOCKET_TYPE_STREAM, NET_SOCKET_PROTOCOL_SSL);
        if (outcome == E_SUCCESS)
            outcome = socket->SetSockOpt(NET_SOCKET_SOL_SOCKET, NET_SOCKET_SO_KEEPALIVE, 1);
        if (outcome == E_SUCCESS)
            outcome = socket->AddSecureSocketListener(*this);
        if (outcome == E_SUCCESS)
            outcome = socket->AsyncSelectByListener(EveryEvent);
        if (outcome == E_SUCCESS)
            outcome = socket->SetPeerVerifyName(Base::String(verifyName.c_str()));
        if (outcome == E_SUCCESS)
            outcome = socket->Connect(NetEndPoint(Ip4Address(Base::String(address.c_str())), port));
        std::lock_guard lock(mutex_);
        socket_ = std::move(socket);
    });
    return outcome;
}

result SecureSocketClient::Send(const std::string& bytes)
{
    result outcome = E_FAILURE;
    RunOnSocketThread([&](SecureSocket* socket) {
        Base::ByteBuffer buffer;
        buffer.Construct(static_cast<int>(bytes.size()));
        const auto* data = reinterpret_cast<const byte*>(bytes.data());
        buffer.SetArray(data, 0, static_cast<int>(bytes.size()));
        buffer.Flip();
        outcome = socket != nullptr ? socket->Send(buffer) : E_INVALID_STATE;
    });
    return outcome;
}

result SecureSocketClient::Close()
{
    result outcome = E_FAILURE;
    RunOnSocketThread([&](SecureSocket* socket) {
        outcome = socket != nullptr ? socket->Close() : E_INVALID_STATE;
    });
    return outcome;
}

void SecureSocketClient::SetReceiving(bool on)
{
    RunOnSocketThread([&](SecureSocket*) {
        receiving_ = on;
        if (on)
            ReceiveOnce();
    });
}

unsigned long SecureSocketClient::Readable()
{
    unsigned long readable = 0;
    RunOnSocketThread([&](SecureSocket* socket) {
        if (socket != nullptr)
            socket->Ioctl(NET_SOCKET_FIONREAD, readable);
    });
    return readable;
}

int SecureSocketClient::KeepAlive()
{
    int value = -1;
    RunOnSocketThread([&](SecureSocket* socket) {
        if (socket != nullptr)
            socket->GetSockOpt(NET_SOCKET_SOL_SOCKET, NET_SOCKET_SO_KEEPALIVE, value);
    });
    return value;
}

void SecureSocketClient::RunOnSocketThread(const std::function<void(SecureSocket*)>& call)
{
    thread_.Run([&] { call(socket_.get()); });
}

SecureSocket* SecureSocketClient::Socket()
{
    std::lock_guard lock(mutex_);
    return socket_.get();
}

bool SecureSocketClient::WaitFor(Event event, std::chrono::milliseconds timeout)
{
    return WaitUntil(timeout, [&] {
        for (Event happened : events_) {
            if (happened == event)
                return true;
        }
        return false;
    });
}

bool SecureSocketClient::WaitUntilReceived(
    const std::string& marker, std::chrono::milliseconds timeout)
{
    return WaitUntil(timeout, [&] { return received_.find(marker) != std::string::npos; });
}

std::vector<SecureSocketClient::Event> SecureSocketClient::Events()
{
    std::lock_guard lock(mutex_);
    return events_;
}

size_t SecureSocketClient::Count(Event event)
{
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count(events_.begin(), events_.end(), event));
}

std::string SecureSocketClient::Received()
{
    std::lock_guard lock(mutex_);
    return received_;
}

NetSocketClosedReason SecureSocketClient::ClosedReason()
{
    std::lock_guard lock(mutex_);
    return closedReason_;
}

void SecureSocketClient::OnSecureSocketConnected(SecureSocket&) { Record(Event::Connected); }

void SecureSocketClient::OnSecureSocketReadyToReceive(SecureSocket&)
{
    Record(Event::ReadyToReceive);
    if (receiving_)
        ReceiveOnce();
}

void SecureSocketClient::OnSecureSocketReadyToSend(SecureSocket&) { Record(Event::ReadyToSend); }

void SecureSocketClient::OnSecureSocketClosed(SecureSocket&, NetSocketClosedReason reason)
{
    {
        std::lock_guard lock(mutex_);
        closedReason_ = reason;
    }
    Record(Event::Closed);
}

void SecureSocketClient::OnSecureSocketServCertFailed(SecureSocket&)
{
    Record(Event::ServCertFailed);
}

void SecureSocketClient::Record(Event event)
{
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    changed_.notify_all();
}

void SecureSocketClient::ReceiveOnce()
{
    Base::ByteBuffer buffer;
    buffer.Construct(receiveChunk_);
    if (socket_ == nullptr || socket_->Receive(buffer) != E_SUCCESS)
        return;
    buffer.Flip();
    {
        std::lock_guard lock(mutex_);
        received_.append(reinterpret_cast<const char*>(buffer.GetPointer()), buffer.GetLimit());
    }
    changed_.notify_all();
}

bool SecureSocketClient::WaitUntil(
    std::chrono::milliseconds timeout, const std::function<bool()>& condition)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, condition);
}

}  // namespace TestSupport
