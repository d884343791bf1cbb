// The Qt side of a SecureSocket: one QSslSocket with its connect and handshake time-outs, its
// verification set-up and the ordered queue of the events the SecureSocket reports. The HTTP
// service's transactions use it as well, plain as well as encrypted: a plain connection is
// established (Connected, then one ReadyToSend) as soon as TCP connects.
//
// Events are queued and handed to the sink from the thread's loop, one wake-up after they
// happened, never from inside a call of the socket's user and always in the order they
// happened. A readiness to receive is reported only while decrypted bytes wait, and again
// after every Receive that leaves some behind; bytes are never dropped, and while nobody
// receives, Qt stops reading once its buffer is full, so the server is held back by TCP.
// When an established connection ends while bytes still wait, the end is reported after the
// Receive that takes the last of them.
// Threading and ownership: a ThreadBoundObject (created, used and destroyed on its thread);
// it owns its QSslSocket. The sink is the owning SecureSocket.
#pragma once

#include "platform/SecureSocketEvent.h"
#include "platform/SocketTypes.h"
#include "platform/ThreadBoundObject.h"

#include <QList>
#include <QSslCertificate>
#include <QSslSocket>
#include <QTimer>

#include <deque>
#include <functional>

namespace Ixa::Net::Sockets {

class SecureSocketChannel : public Base::Runtime::ThreadBoundObject {
public:
    using Event = SecureSocketEvent;
    using Sink = std::function<void(Event event, NetSocketClosedReason reason)>;

    struct ConnectRequest {
        QString address;
        quint16 port;
        QString peerVerifyName;
        QList<QSslCertificate> trusted;
        int connectTimeout;
        int handshakeTimeout;
        bool encrypted = true;
    };

    // The authorities every server certificate is checked against: the system's, and those in
    // the PEM file named by $VELOIM_CA_FILE, read anew at every call.
    static QList<QSslCertificate> TrustedCertificates();

    explicit SecureSocketChannel(Sink sink);
    ~SecureSocketChannel() override;

    void SetKeepAlive(bool on);
    // The operating system's setting while connected, the requested one before.
    bool IsKeepAliveOn();
    // False unless the channel has never connected.
    bool Connect(const ConnectRequest& request);
    // False unless the handshake is done and the connection has not ended.
    bool Send(const char* data, qint64 length);
    // The count of bytes read (0 when none wait), or -1 before the connection or after Close.
    qint64 Receive(char* data, qint64 capacity);
    qint64 BytesAvailable() const;
    bool IsOpen() const;
    void Close();

private:
    enum class Phase { Idle, Connecting, Handshaking, Connected, Ended, Closed };

    struct Pending {
        Event event;
        NetSocketClosedReason reason;
    };

    void Wire();
    void Unwire();
    void OnTcpConnected();
    void OnEncrypted();
    void Establish();
    void OnBytesWritten();
    void OnError(QAbstractSocket::SocketError error);
    void End(NetSocketClosedReason reason);
    NetSocketClosedReason ReasonFor(QAbstractSocket::SocketError error) const;
    void Raise(Event event, NetSocketClosedReason reason = NET_SOCKET_CLOSED_REASON_REMOTE_HOST);
    void RaiseReadyToReceive();
    void RaiseDeferredEnd();
    void Deliver();

    Sink sink_;
    QSslSocket socket_;
    QTimer deadline_;
    Phase phase_ = Phase::Idle;
    int handshakeTimeout_ = 0;
    bool encrypted_ = true;
    bool keepAlive_ = false;
    bool certificateFailed_ = false;
    bool endDeferred_ = false;
    NetSocketClosedReason deferredReason_ = NET_SOCKET_CLOSED_REASON_REMOTE_HOST;
    std::deque<Pending> pending_;
    bool deliveryScheduled_ = false;
};

}  // namespace Ixa::Net::Sockets
