// Receives the events of a SecureSocket, on the thread that constructed the socket, in the
// order they happened, and only those its event mask lets through (AsyncSelectByListener);
// the server-certificate failure is always reported.
// Threading: every call on the socket's thread. A listener may call the socket (Receive, Send,
// Close, listener removal) from inside an event, but must not destroy it there.
#pragma once

#include "platform/SocketTypes.h"

namespace Ixa::Net::Sockets {

class SecureSocket;

class ISecureSocketEventListener {
public:
    virtual ~ISecureSocketEventListener() = default;

    // The TLS handshake is done and the server verified: Send may be called.
    virtual void OnSecureSocketConnected(SecureSocket& socket) = 0;
    // Decrypted bytes wait for Receive. Raised again after each Receive that leaves some.
    virtual void OnSecureSocketReadyToReceive(SecureSocket& socket) = 0;
    // After the connection is made, and whenever everything sent so far has gone out.
    virtual void OnSecureSocketReadyToSend(SecureSocket& socket) = 0;
    // The connection failed or ended; the last event of the socket. When it ends while
    // received bytes wait, this comes after the Receive that takes the last of them.
    virtual void OnSecureSocketClosed(SecureSocket& socket, NetSocketClosedReason reason) = 0;
    // The server's certificate failed verification; the handshake is over and the closed
    // event (reason NET_SOCKET_CLOSED_REASON_SERVER_CERT_FAILED) follows.
    virtual void OnSecureSocketServCertFailed(SecureSocket& socket) = 0;
};

}  // namespace Ixa::Net::Sockets
