// A test's client end of a platform SecureSocket, run the way the program runs its socket: an
// event-driven platform thread constructs the socket, receives its events and makes every
// call on it. The client records the events and the received bytes; the test thread drives it
// through calls that run on that thread and return once they have, and waits for outcomes.
//
// On a readiness to receive, the client receives once into a buffer of ReceiveChunk bytes, as
// the program does, unless receiving is paused (as the program pauses while its queue is
// full).
// Threading and ownership: every call from the test's thread(s). The client owns its thread
// and its socket; the socket is destroyed after the thread has ended.
#pragma once

#include "TestEventThread.h"

#include "platform/SecureSocket.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace TestSupport {

class SecureSocketClient : private Ixa::Net::Sockets::ISecureSocketEventListener {
public:
    enum class Event { Connected, ReadyToReceive, ReadyToSend, ServCertFailed, Closed };

    static constexpr std::chrono::milliseconds DefaultWait{10000};

    explicit SecureSocketClient(int receiveChunk = 8192);
    ~SecureSocketClient() override;

    SecureSocketClient(const SecureSocketClient&) = delete;
    SecureSocketClient& operator=(const SecureSocketClient&) = delete;

    // Constructs the socket (keep-alive on, every event selected, the name to verify) and
    // starts connecting to address:port; the result of the socket's Connect.
    Ixa::result Connect(const std::string& address, unsigned short port,
        const std::string& verifyName);
    Ixa::result Send(const std::string& bytes);
    Ixa::result Close();
    // Pausing stops receiving; resuming receives once at once, as the program does when its
    // reader has made room.
    void SetReceiving(bool on);
    // The socket's count of waiting bytes (Ioctl), and its keep-alive setting (GetSockOpt).
    unsigned long Readable();
    int KeepAlive();
    // For the calls a test makes from its own thread.

    Ixa::Net::Sockets::SecureSocket* Socket();

    bool WaitFor(Event event, std::chrono::milliseconds timeout = DefaultWait);
    bool WaitUntilReceived(
        const std::string& marker, std::chrono::milliseconds timeout = DefaultWait);
    std::vector<Event> Events();
    size_t Count(Event event);
    std::string Received();
    Ixa::Net::Sockets::NetSocketClosedReason ClosedReason();

private:
    void OnSecureSocketConnected(Ixa::Net::Sockets::SecureSocket& socket) override;
    void OnSecureSocketReadyToReceive(Ixa::Net::Sockets::SecureSocket& socket) override;
    void OnSecureSocketReadyToSend(Ixa::Net::Sockets::SecureSocket& socket) override;
    void OnSecureSocketClosed(Ixa::Net::Sockets::SecureSocket& socket,
        Ixa::Net::Sockets::NetSocketClosedReason reason) override;
    void OnSecureSocketServCertFailed(Ixa::Net::Sockets::SecureSocket& socket) override;

    // Runs a call on the socket's thread; the socket is null before Connect.
    void RunOnSocketThread(const std::function<void(Ixa::Net::Sockets::SecureSocket*)>& call);
    void Record(Event event);
    void ReceiveOnce();
    bool WaitUntil(std::chrono::milliseconds timeout, const std::function<bool()>& condition);

    const int receiveChunk_;
    // Made and used on the client's thread, destroyed after it has ended.
    std::unique_ptr<Ixa::Net::Sockets::SecureSocket> socket_;
    bool receiving_ = true;  // on the client's thread only

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Event> events_;
    std::string received_;
    Ixa::Net::Sockets::NetSocketClosedReason closedReason_ =
        Ixa::Net::Sockets::NET_SOCKET_CLOSED_REASON_REMOTE_HOST;

    // Last, so that it ends first.
    TestEventThread thread_;
};

}  // namespace TestSupport
