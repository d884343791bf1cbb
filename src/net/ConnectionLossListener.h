// What a socket tells its connection when an established connection ends without the
// program having asked for it: the XMPP connection implements it and registers with the
// socket it owns (IMSecureSocket::setConnectionObject).
// Threading: both calls come from the socket thread and must return without waiting for a
// thread that may be closing the socket (they take no lock that a closer holds).
#pragma once

class ConnectionLossListener {
public:
    // The sign-in state; the socket reports no loss while it is SIGN_IN_FAILED, since the
    // connection is then being closed after a refused authentication.
    static constexpr int SIGN_IN_FAILED = -1;

    virtual ~ConnectionLossListener() = default;

    virtual int getConnectionState() = 0;
    virtual void notifyConnectionLost(unsigned long result) = 0;
};
