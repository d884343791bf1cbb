// What a socket asks its connection before it ends the reader's stream with a loss: the XMPP
// connection implements it and registers with the socket it owns
// (IMSecureSocket::setConnectionObject). The loss itself reaches the connection through the
// reader, which meets it behind the bytes received before it.
// Threading: called from the socket thread; it must return without waiting for a thread that
// may be closing the socket (it takes no lock that a closer holds).
#pragma once

class ConnectionLossListener {
public:
    // The sign-in state; the socket reports no loss while it is SIGN_IN_FAILED, since the
    // connection is then being closed after a refused authentication.
    static constexpr int SIGN_IN_FAILED = -1;

    virtual ~ConnectionLossListener() = default;

    virtual int getConnectionState() = 0;
};
