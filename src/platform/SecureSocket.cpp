#include "platform/SecureSocket.h"

#include "platform/SecureSocketChannel.h"
#include "platform/ThreadBoundHandle.h"

#include <algorithm>

namespace Ixa::Net::Sockets {

namespace {

constexpr unsigned long KnownEvents = NET_SOCKET_EVENT_WRITE | NET_SOCKET_EVENT_READ
    | NET_SOCKET_EVENT_CLOSE | NET_SOCKET_EVENT_CONNECT;

bool IsKeepAliveOption(NetSocketOptLevel level, NetSocketOptName name)
{
    return level == NET_SOCKET_SOL_SOCKET && name == NET_SOCKET_SO_KEEPALIVE;
}

}  // namespace

std::atomic<int> SecureSocket::connectTimeout_{SecureSocket::DEFAULT_TIMEOUT};
std::atomic<int> SecureSocket::handshakeTimeout_{SecureSocket::DEFAULT_TIMEOUT};

SecureSocket::SecureSocket() = default;

SecureSocket::~SecureSocket()
{
    closed_ = true;
    if (handle_)
        handle_->Release();
}

result SecureSocket::Construct(
    NetAddressFamily family, NetSocketType type, NetSocketProtocol protocol)
{
    if (family != NET_AF_IPV4 || type != NET_SOCKET_TYPE_STREAM
        || protocol != NET_SOCKET_PROTOCOL_SSL)
        return E_INVALID_ARG;
    if (handle_ || !Base::Runtime::ThreadBoundObject::CallerHasEventLoop())
        return E_INVALID_STATE;
    channel_ = new SecureSocketChannel(
        [this](SecureSocketEvent event, NetSocketClosedReason reason) {
            OnChannelEvent(event, reason);
        });
    handle_ = channel_->Handle();
    return E_SUCCESS;
}

result SecureSocket::SetSockOpt(NetSocketOptLevel level, NetSocketOptName name, int value)
{
    SecureSocketChannel* channel = Channel();
    if (channel == nullptr)
        return E_INVALID_STATE;
    if (!IsKeepAliveOption(level, name) || (value != 0 && value != 1))
        return E_INVALID_ARG;
    channel->SetKeepAlive(value == 1);
    return E_SUCCESS;
}

result SecureSocket::GetSockOpt(NetSocketOptLevel level, NetSocketOptName name, int& value) const
{
    SecureSocketChannel* channel = Channel();
    if (channel == nullptr)
        return E_INVALID_STATE;
    if (!IsKeepAliveOption(level, name))
        return E_INVALID_ARG;
    value = channel->IsKeepAliveOn() ? 1 : 0;
    return E_SUCCESS;
}

result SecureSocket::AsyncSelectByListener(unsigned long eventMask)
{
    if (Channel() == nullptr)
        return E_INVALID_STATE;
    if ((eventMask & ~KnownEvents) != 0)
        return E_INVALID_ARG;
    eventMask_ = eventMask;
    return E_SUCCESS;
}

result SecureSocket::AddSecureSocketListener(ISecureSocketEventListener& listener)
{
    std::lock_guard lock(listenersMutex_);
    if (std::find(listeners_.begin(), listeners_.end(), &listener) != listeners_.end())
        return E_OBJ_ALREADY_EXIST;
    listeners_.push_back(&listener);
    return E_SUCCESS;
}

result SecureSocket::RemoveSecureSocketListener(ISecureSocketEventListener& listener)
{
    std::lock_guard lock(listenersMutex_);
    return std::erase(listeners_, &listener) > 0 ? E_SUCCESS : E_OBJ_NOT_FOUND;
}

result SecureSocket::SetPeerVerifyName(const Base::String& hostName)
{
    if (Channel() == nullptr)
        return E_INVALID_STATE;
    if (hostName.IsEmpty())
        return E_INVALID_ARG;
    peerVerifyName_ = hostName;
    return E_SUCCESS;
}

result SecureSocket::Connect(const NetEndPoint& remoteEndPoint)
{
    SecureSocketChannel* channel = Channel();
    if (channel == nullptr || closed_)
        return E_INVALID_STATE;
    if (remoteEndPoint.GetNetAddressFamily() != NET_AF_IPV4)
        return E_INVALID_ARG;
    const Base::String address = remoteEndPoint.GetAddress()->ToString();
    const Base::String& verifyName = peerVerifyName_.IsEmpty() ? address : peerVerifyName_;
    SecureSocketChannel::ConnectRequest request{QString::fromUtf16(address.GetPointer()),
        remoteEndPoint.GetPort(), QString::fromUtf16(verifyName.GetPointer()),
        SecureSocketChannel::TrustedCertificates(), connectTimeout_, handshakeTimeout_};
    return channel->Connect(request) ? E_SUCCESS : E_INVALID_STATE;
}

result SecureSocket::Send(Base::ByteBuffer& buffer)
{
    SecureSocketChannel* channel = Channel();
    if (channel == nullptr)
        return E_INVALID_STATE;
    const auto* data = reinterpret_cast<const char*>(buffer.GetPointer()) + buffer.GetPosition();
    if (!channel->Send(data, buffer.GetRemaining()))
        return E_INVALID_STATE;
    buffer.SetPosition(buffer.GetLimit());
    return E_SUCCESS;
}

result SecureSocket::Receive(Base::ByteBuffer& buffer)
{
    SecureSocketChannel* channel = Channel();
    if (channel == nullptr)
        return E_INVALID_STATE;
    if (!buffer.HasRemaining())
        return E_INVALID_ARG;
    auto* data = reinterpret_cast<char*>(buffer.GetPointer()) + buffer.GetPosition();
    const qint64 count = channel->Receive(data, buffer.GetRemaining());
    if (count < 0)
        return E_INVALID_STATE;
    if (count == 0)
        return E_UNDERFLOW;
    buffer.SetPosition(buffer.GetPosition() + static_cast<int>(count));
    return E_SUCCESS;
}

result SecureSocket::Ioctl(NetSocketIoctlCmd command, unsigned long& value) const
{
    SecureSocketChannel* channel = Channel();
    if (channel == nullptr)
        return E_INVALID_STATE;
    if (command != NET_SOCKET_FIONREAD)
        return E_INVALID_ARG;
    value = static_cast<unsigned long>(channel->BytesAvailable());
    return E_SUCCESS;
}

result SecureSocket::Close()
{
    if (!handle_)
        return E_INVALID_STATE;
    if (closed_.exchange(true))
        return E_SUCCESS;
    SecureSocketChannel* channel = Channel();
    if (channel != nullptr) {
        channel->Close();
        return E_SUCCESS;
    }
    // Posted work runs only while the channel exists.
    handle_->Post([channel = channel_] { channel->Close(); });
    return E_SUCCESS;
}

result SecureSocket::SetConnectTimeout(int milliseconds)
{
    if (milliseconds <= 0)
        return E_INVALID_ARG;
    connectTimeout_ = milliseconds;
    return E_SUCCESS;
}

result SecureSocket::SetHandshakeTimeout(int milliseconds)
{
    if (milliseconds <= 0)
        return E_INVALID_ARG;
    handshakeTimeout_ = milliseconds;
    return E_SUCCESS;
}

SecureSocketChannel* SecureSocket::Channel() const
{
    return handle_ && handle_->ObjectOnCallerThread() != nullptr ? channel_ : nullptr;
}

void SecureSocket::OnChannelEvent(SecureSocketEvent event, NetSocketClosedReason reason)
{
    using Listener = ISecureSocketEventListener;
    switch (event) {
    case SecureSocketEvent::Connected:
        Dispatch(NET_SOCKET_EVENT_CONNECT,
            [this](Listener& listener) { listener.OnSecureSocketConnected(*this); });
        break;
    case SecureSocketEvent::ReadyToReceive:
        Dispatch(NET_SOCKET_EVENT_READ,
            [this](Listener& listener) { listener.OnSecureSocketReadyToReceive(*this); });
        break;
    case SecureSocketEvent::ReadyToSend:
        Dispatch(NET_SOCKET_EVENT_WRITE,
            [this](Listener& listener) { listener.OnSecureSocketReadyToSend(*this); });
        break;
    case SecureSocketEvent::ServCertFailed:
        Dispatch(0, [this](Listener& listener) { listener.OnSecureSocketServCertFailed(*this); });
        break;
    case SecureSocketEvent::Closed:
        Dispatch(NET_SOCKET_EVENT_CLOSE,
            [this, reason](Listener& listener) { listener.OnSecureSocketClosed(*this, reason); });
        break;
    }
}

void SecureSocket::Dispatch(
    unsigned long eventBit, const std::function<void(ISecureSocketEventListener&)>& call)
{
    if (closed_ || (eventBit != 0 && (eventMask_ & eventBit) == 0))
        return;
    std::vector<ISecureSocketEventListener*> listeners;
    {
        std::lock_guard lock(listenersMutex_);
        listeners = listeners_;
    }
    for (ISecureSocketEventListener* listener : listeners) {
        if (closed_)
            return;
        call(*listener);
    }
}

}  // namespace Ixa::Net::Sockets
