// A TLS client stream socket, driven by events: TLS from the first byte, IPv4 only.
//
// The socket belongs to the event-driven platform thread that constructs it: every listener
// event is delivered there, and the calls that touch the connection (Connect, Send, Receive,
// SetSockOpt, GetSockOpt, Ioctl) are made there. Calls from another thread answer
// E_INVALID_STATE, except Close, the listener calls and destruction.
//
// Connect starts the attempt and returns; its outcome is an event: OnSecureSocketConnected once
// the handshake is done and the server is verified, or OnSecureSocketClosed. The TCP connect
// and the TLS handshake each have a time-out (30 s unless changed for the whole process).
// The server's certificate chain is verified against the system's trusted authorities plus the
// PEM file named by $VELOIM_CA_FILE, and the server is checked to be the host named by
// SetPeerVerifyName (by default the address connected to). A failed check ends the handshake:
// OnSecureSocketServCertFailed, then OnSecureSocketClosed.
//
// Receiving: OnSecureSocketReadyToReceive announces decrypted bytes; Receive takes them and
// the event is raised again while some are left. A program that stops receiving loses no
// byte: the socket stops reading from the network instead, and resumes with the next Receive.
// Send hands every byte to the system before it returns, so bytes sent before a Close still
// go out; Close itself raises no event and no event follows it.
//
// Threading and ownership: see above. Close may be called from any thread: on another thread
// it takes effect on the socket's thread shortly after, and no event starts once it has
// returned (one being delivered at that moment runs to its end). Listeners are not owned and
// must outlive their registration; one removed on another thread may still receive the event
// being delivered at that moment. The socket may be destroyed on its own thread outside its
// events, or on any other thread; there the destructor waits for an event being delivered, so
// a listener must not be waiting for the destroying thread.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/ISecureSocketEventListener.h"
#include "platform/NetEndPoint.h"
#include "platform/Result.h"
#include "platform/SecureSocketEvent.h"
#include "platform/String.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace Ixa::Base::Runtime {
class ThreadBoundHandle;
}

namespace Ixa::Net::Sockets {

class SecureSocketChannel;

class SecureSocket : public Base::Object {
public:
    static constexpr int DEFAULT_TIMEOUT = 30000;

    SecureSocket();
    ~SecureSocket() override;

    SecureSocket(const SecureSocket&) = delete;
    SecureSocket& operator=(const SecureSocket&) = delete;

    // Only NET_AF_IPV4, NET_SOCKET_TYPE_STREAM and NET_SOCKET_PROTOCOL_SSL (E_INVALID_ARG
    // otherwise); E_INVALID_STATE on a thread without a platform event loop, or when done.
    result Construct(NetAddressFamily family, NetSocketType type, NetSocketProtocol protocol);
    // NET_SOCKET_SOL_SOCKET / NET_SOCKET_SO_KEEPALIVE with 0 or 1: TCP keep-alive, applied as
    // soon as the connection exists.
    result SetSockOpt(NetSocketOptLevel level, NetSocketOptName name, int value);
    // While connected, the operating system's value; before, the one asked for.
    result GetSockOpt(NetSocketOptLevel level, NetSocketOptName name, int& value) const;
    // The NetSocketEventType bits of the events to deliver (none until this is called).
    result AsyncSelectByListener(unsigned long eventMask);
    result AddSecureSocketListener(ISecureSocketEventListener& listener);
    result RemoveSecureSocketListener(ISecureSocketEventListener& listener);
    // The host name the server's certificate must be for, when the endpoint is an address
    // resolved from that name. Before Connect.
    result SetPeerVerifyName(const Base::String& hostName);
    // E_SUCCESS when the attempt has started; it ends in an event.
    result Connect(const NetEndPoint& remoteEndPoint);
    // Sends the bytes between the buffer's position and limit, and moves the position to the
    // limit. E_INVALID_STATE unless connected.
    result Send(Base::ByteBuffer& buffer);
    // Fills the buffer from its position with waiting bytes, at most up to its limit, and
    // advances the position. E_UNDERFLOW when no byte waits, E_INVALID_ARG for a full
    // buffer, E_INVALID_STATE before the connection or after Close. Bytes that arrived before
    // the server ended the connection can still be received.
    result Receive(Base::ByteBuffer& buffer);
    // NET_SOCKET_FIONREAD: the count of decrypted bytes waiting.
    result Ioctl(NetSocketIoctlCmd command, unsigned long& value) const;
    // Ends the connection (an orderly TLS close when established). E_INVALID_STATE before
    // Construct; a second Close does nothing.
    result Close();

    // Process-wide time-outs of later connection attempts, in milliseconds (E_INVALID_ARG
    // unless positive); tests make them short.
    static result SetConnectTimeout(int milliseconds);
    static result SetHandshakeTimeout(int milliseconds);

private:
    SecureSocketChannel* Channel() const;
    void OnChannelEvent(SecureSocketEvent event, NetSocketClosedReason reason);
    // Calls every listener when the mask has the event's bit (0 for events always delivered).
    void Dispatch(
        unsigned long eventBit, const std::function<void(ISecureSocketEventListener&)>& call);

    std::shared_ptr<Base::Runtime::ThreadBoundHandle> handle_;
    // Dereferenced only on the channel's thread while the handle says it exists.
    SecureSocketChannel* channel_ = nullptr;
    Base::String peerVerifyName_;
    std::atomic<unsigned long> eventMask_{0};
    std::atomic<bool> closed_{false};
    std::mutex listenersMutex_;
    std::vector<ISecureSocketEventListener*> listeners_;

    static std::atomic<int> connectTimeout_;
    static std::atomic<int> handshakeTimeout_;
};

}  // namespace Ixa::Net::Sockets
