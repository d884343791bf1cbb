// The socket thread: an event-driven platform thread that makes every call on the platform
// socket and the name resolver and receives all of their events. Other threads reach it only
// through user events (connect, send, resolve, end), which it handles in posting order.
//
// Connecting: the host text given at construction is resolved when it is a name (its first
// resolved IPv4 address replaces it), and the TLS connection is made to that address while
// the server is still verified against the name as given, which is kept for the handshake.
// Every outcome (thread started, name resolved, connected or failed) is reported to the
// owner, which latches it for the waiting Connect.
//
// Receiving never blocks this thread: each readiness event receives one buffer of up to 8192
// bytes and offers it to the reader's stream. When the queue is full the buffer is held back
// and the thread stops receiving (the platform socket then stops reading the network, so TCP
// holds the server back). The stream tells the thread, as the ReceiveRoomListener, once the
// reader has taken a buffer; that notice comes back as a resume event, which offers the held
// buffer again, and receiving continues behind it. No byte is lost or reordered, and nothing
// polls.
//
// An established connection that the server ends (the owner did not close it) ends the
// reader's stream with a marker queued behind every byte received before the end (a buffer
// held back goes first), so the end is met in stream order: the loss marker, or the plain
// end marker when the client was ending the stream itself (a logout mark, a refused
// sign-in). The thread then ends, so later sends fail at once.
//
// Threading and ownership: construct, setClosing and destruction on any other thread;
// onReceiveRoomAvailable on the reader thread; the handlers run on the thread itself. The
// thread borrows its owner (which outlives it); it owns the platform socket, the resolver and
// a held buffer, all made and deleted on the thread itself. It listens to the input stream
// from its start to its stop. The destructor stops and joins a thread still running.
#pragma once

#include "foundation/IMString.h"
#include "net/ReceiveRoomListener.h"
#include "platform/Dns.h"
#include "platform/SecureSocket.h"
#include "platform/Thread.h"

#include <atomic>

class IMSecureSocket;

class SecureSocketThread : public Ixa::Base::Runtime::Thread,
                           public Ixa::Net::Sockets::ISecureSocketEventListener,
                           public Ixa::Net::IDnsEventListener,
                           public ReceiveRoomListener {
public:
    static constexpr int EVENT_CONNECT = 1;
    static constexpr int EVENT_SEND = 2;
    static constexpr int EVENT_RESOLVE = 3;
    static constexpr int EVENT_END = 4;
    // The reader has made room for a held buffer.
    static constexpr int EVENT_RESUME = 5;
    static constexpr int RECEIVE_CAPACITY = 8192;
    static constexpr int STACK_SIZE = 65536;

    SecureSocketThread(IMSecureSocket* owner, const IMString& host, int port);
    ~SecureSocketThread() override;

    SecureSocketThread(const SecureSocketThread&) = delete;
    SecureSocketThread& operator=(const SecureSocketThread&) = delete;

    Ixa::result construct();
    // Marks the close as the owner's own, so the end of the connection is not reported.
    void setClosing();

    bool OnStart() override;
    void OnStop() override;
    void OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args) override;

    void OnSecureSocketConnected(Ixa::Net::Sockets::SecureSocket& socket) override;
    void OnSecureSocketReadyToReceive(Ixa::Net::Sockets::SecureSocket& socket) override;
    void OnSecureSocketReadyToSend(Ixa::Net::Sockets::SecureSocket& socket) override;
    void OnSecureSocketClosed(
        Ixa::Net::Sockets::SecureSocket& socket, Ixa::Net::Sockets::NetSocketClosedReason reason) override;
    void OnSecureSocketServCertFailed(Ixa::Net::Sockets::SecureSocket& socket) override;
    void OnDnsResolutionCompletedN(Ixa::Net::IpHostEntry* entry, Ixa::result r) override;
    void onReceiveRoomAvailable() override;

private:
    void connect();
    Ixa::result openSocket();
    void resolve();
    void send(Ixa::Base::Collection::IList* args);
    void receiveOnce();
    void offer(Ixa::Base::ByteBuffer* buffer);
    void resume();
    // Queues the pending end marker once no held buffer is ahead of it, then ends the thread.
    void queueEnd();
    bool isLoss() const;

    IMSecureSocket* owner_;
    IMString host_;
    // The name the server's certificate must be for: the host as given, before resolution.
    IMString verifyName_;
    int port_;
    Ixa::Net::Sockets::SecureSocket* socket_ = nullptr;
    Ixa::Net::Dns* dns_ = nullptr;
    // A received buffer the full queue refused; receiving waits until it is queued.
    Ixa::Base::ByteBuffer* held_ = nullptr;
    // The connection has ended and its marker still waits for room in the queue.
    enum class End { NONE, QUIET, LOSS };
    End pendingEnd_ = End::NONE;
    std::atomic<bool> closing_{false};
};
