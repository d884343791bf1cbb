#include "platform/SecureSocketChannel.h"

#include "platform/ThreadBoundHandle.h"

#include <QSslConfiguration>

#include <cstdlib>

namespace Ixa::Net::Sockets {

namespace {

// Qt stops reading from the network while this many decrypted bytes wait, which is what holds
// a fast server back when the program stops receiving.
constexpr qint64 ReadBufferLimit = 64 * 1024;

}  // namespace

// The system's authorities are read once; the extra file is read at every connect, so a
// test can point it at the authority it has just made.
QList<QSslCertificate> SecureSocketChannel::TrustedCertificates()
{
    static const QList<QSslCertificate> system = QSslConfiguration::systemCaCertificates();
    QList<QSslCertificate> trusted = system;
    const char* extraFile = std::getenv("VELOIM_CA_FILE");
    if (extraFile != nullptr && *extraFile != '\0')
        trusted += QSslCertificate::fromPath(QString::fromLocal8Bit(extraFile));
    return trusted;
}

SecureSocketChannel::SecureSocketChannel(Sink sink) : sink_(std::move(sink))
{
    socket_.setReadBufferSize(ReadBufferLimit);
    deadline_.setSingleShot(true);
    QObject::connect(
        &deadline_, &QTimer::timeout, this, [this] { End(NET_SOCKET_CLOSED_REASON_TIMEOUT); });
    Wire();
}

SecureSocketChannel::~SecureSocketChannel()
{
    Unwire();
    deadline_.stop();
    socket_.abort();
}

void SecureSocketChannel::SetKeepAlive(bool on)
{
    keepAlive_ = on;
    if (phase_ == Phase::Handshaking || phase_ == Phase::Connected)
        socket_.setSocketOption(QAbstractSocket::KeepAliveOption, on ? 1 : 0);
}

bool SecureSocketChannel::IsKeepAliveOn()
{
    if (phase_ == Phase::Handshaking || phase_ == Phase::Connected)
        return socket_.socketOption(QAbstractSocket::KeepAliveOption).toInt() != 0;
    return keepAlive_;
}

bool SecureSocketChannel::Connect(const ConnectRequest& request)
{
    if (phase_ != Phase::Idle)
        return false;
    QSslConfiguration configuration = socket_.sslConfiguration();
    configuration.setCaCertificates(request.trusted);
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    socket_.setSslConfiguration(configuration);
    handshakeTimeout_ = request.handshakeTimeout;
    encrypted_ = request.encrypted;
    // A refused loopback connect can be reported from inside the connect call, so the phase
    // and the deadline are set first.
    phase_ = Phase::Connecting;
    deadline_.start(request.connectTimeout);
    if (encrypted_) {
        socket_.connectToHostEncrypted(request.address, request.port, request.peerVerifyName,
            QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
    } else {
        socket_.connectToHost(
            request.address, request.port, QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
    }
    return true;
}

bool SecureSocketChannel::Send(const char* data, qint64 length)
{
    if (phase_ != Phase::Connected || socket_.write(data, length) != length)
        return false;
    // Hand the bytes to the system now: the sender treats a returned Send as tried, and a
    // Close may follow at once.
    socket_.flush();
    return true;
}

qint64 SecureSocketChannel::Receive(char* data, qint64 capacity)
{
    if (phase_ != Phase::Connected && phase_ != Phase::Ended)
        return -1;
    const qint64 count = socket_.read(data, capacity);
    if (socket_.bytesAvailable() > 0)
        RaiseReadyToReceive();
    else
        RaiseDeferredEnd();
    return count < 0 ? 0 : count;
}

qint64 SecureSocketChannel::BytesAvailable() const
{
    if (phase_ != Phase::Connected && phase_ != Phase::Ended)
        return 0;
    return socket_.bytesAvailable();
}

void SecureSocketChannel::Close()
{
    const bool established = phase_ == Phase::Connected;
    phase_ = Phase::Closed;
    pending_.clear();
    endDeferred_ = false;
    deadline_.stop();
    Unwire();
    if (!established) {
        socket_.abort();
        return;
    }
    // An orderly TLS close: what was sent still goes out, then the close alert.
    socket_.flush();
    socket_.disconnectFromHost();
}

void SecureSocketChannel::Wire()
{
    QObject::connect(&socket_, &QSslSocket::connected, this, [this] { OnTcpConnected(); });
    QObject::connect(&socket_, &QSslSocket::encrypted, this, [this] { OnEncrypted(); });
    QObject::connect(&socket_, &QSslSocket::readyRead, this, [this] {
        if (phase_ == Phase::Connected)
            RaiseReadyToReceive();
    });
    QObject::connect(
        &socket_, &QSslSocket::encryptedBytesWritten, this, [this] { OnBytesWritten(); });
    QObject::connect(&socket_, &QSslSocket::sslErrors, this, [this] { certificateFailed_ = true; });
    QObject::connect(&socket_, &QSslSocket::errorOccurred, this,
        [this](QAbstractSocket::SocketError error) { OnError(error); });
    QObject::connect(&socket_, &QSslSocket::disconnected, this,
        [this] { OnError(QAbstractSocket::RemoteHostClosedError); });
}

void SecureSocketChannel::Unwire() { QObject::disconnect(&socket_, nullptr, this, nullptr); }

void SecureSocketChannel::OnTcpConnected()
{
    if (phase_ != Phase::Connecting)
        return;
    phase_ = Phase::Handshaking;
    deadline_.start(handshakeTimeout_);
    socket_.setSocketOption(QAbstractSocket::KeepAliveOption, keepAlive_ ? 1 : 0);
    // Stanzas are small and answered one by one; Nagle's delay would only slow them down.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (!encrypted_)
        Establish();
}

void SecureSocketChannel::OnEncrypted()
{
    if (phase_ == Phase::Handshaking)
        Establish();
}

void SecureSocketChannel::Establish()
{
    deadline_.stop();
    phase_ = Phase::Connected;
    Raise(Event::Connected);
    Raise(Event::ReadyToSend);
    if (socket_.bytesAvailable() > 0)
        RaiseReadyToReceive();
}

void SecureSocketChannel::OnBytesWritten()
{
    if (phase_ == Phase::Connected && socket_.bytesToWrite() == 0
        && socket_.encryptedBytesToWrite() == 0)
        Raise(Event::ReadyToSend);
}

void SecureSocketChannel::OnError(QAbstractSocket::SocketError error) { End(ReasonFor(error)); }

void SecureSocketChannel::End(NetSocketClosedReason reason)
{
    if (phase_ != Phase::Connecting && phase_ != Phase::Handshaking && phase_ != Phase::Connected)
        return;
    const bool established = phase_ == Phase::Connected;
    phase_ = Phase::Ended;
    deadline_.stop();
    if (reason == NET_SOCKET_CLOSED_REASON_TIMEOUT)
        socket_.abort();
    if (reason == NET_SOCKET_CLOSED_REASON_SERVER_CERT_FAILED)
        Raise(Event::ServCertFailed);
    if (established && socket_.bytesAvailable() > 0) {
        endDeferred_ = true;
        deferredReason_ = reason;
        return;
    }
    Raise(Event::Closed, reason);
}

NetSocketClosedReason SecureSocketChannel::ReasonFor(QAbstractSocket::SocketError error) const
{
    switch (phase_) {
    case Phase::Connecting:
        return NET_SOCKET_CLOSED_REASON_CONNECT_FAILED;
    case Phase::Handshaking:
        return certificateFailed_ ? NET_SOCKET_CLOSED_REASON_SERVER_CERT_FAILED
                                  : NET_SOCKET_CLOSED_REASON_HANDSHAKE_FAILED;
    default:
        return error == QAbstractSocket::RemoteHostClosedError
            ? NET_SOCKET_CLOSED_REASON_REMOTE_HOST
            : NET_SOCKET_CLOSED_REASON_NETWORK;
    }
}

void SecureSocketChannel::Raise(Event event, NetSocketClosedReason reason)
{
    pending_.push_back(Pending{event, reason});
    if (deliveryScheduled_)
        return;
    deliveryScheduled_ = true;
    Handle()->Post([this] { Deliver(); });
}

void SecureSocketChannel::RaiseReadyToReceive()
{
    for (const Pending& pending : pending_) {
        if (pending.event == Event::ReadyToReceive)
            return;
    }
    Raise(Event::ReadyToReceive);
}

void SecureSocketChannel::RaiseDeferredEnd()
{
    if (!endDeferred_)
        return;
    endDeferred_ = false;
    Raise(Event::Closed, deferredReason_);
}

void SecureSocketChannel::Deliver()
{
    deliveryScheduled_ = false;
    // Events raised while these are delivered wait for the next wake-up, so the thread's
    // other events are served in between.
    for (size_t count = pending_.size(); count > 0 && !pending_.empty(); --count) {
        const Pending next = pending_.front();
        pending_.pop_front();
        // The bytes may be gone already: taken by an earlier Receive, or dropped by Qt
        // with a broken connection.
        if (next.event == Event::ReadyToReceive && BytesAvailable() == 0) {
            RaiseDeferredEnd();
            continue;
        }
        if (!Handle()->RunUnlessReleased([&] { sink_(next.event, next.reason); }))
            return;
    }
}

}  // namespace Ixa::Net::Sockets
