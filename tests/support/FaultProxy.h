// A TCP proxy on 127.0.0.1 that sits between a client under test and a local server and breaks
// the connection on command: it cuts every current connection, holds their bytes while the
// sockets stay open, or turns new connections away for a while. It forwards bytes both ways
// without looking at them (TLS passes through untouched), and passes an end of stream on as a
// half-close, so either side may still send after the other has finished.
//
// Cut connections and turned-away ones end with a reset (close with SO_LINGER 0): the client
// (and, for a cut, the server) sees its connection end at once, as ECONNRESET on its next read
// or write, not as an orderly end of stream it could mistake for the other side signing off.
// A turned-away client's connect itself succeeds (the system completes the handshake before
// the proxy can decide) and the reset follows before any byte; the target never sees that
// connection. A client whose target cannot be reached (the server is down) is reset the same
// way.
//
// Threading: one forwarding thread of its own owns every socket and connection, forwards with a
// poll loop and carries out the commands. Commands and observers may be called from any thread;
// a command returns once the forwarding thread has carried it out, so nothing moves on a stalled
// connection once Stall(true) has returned. Ownership: owns its sockets and its thread; the
// destructor stops the thread and resets every connection still open.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace TestSupport {

class FaultProxy {
public:
    // Forwards to 127.0.0.1:targetPort once started.
    explicit FaultProxy(unsigned short targetPort);
    ~FaultProxy();

    FaultProxy(const FaultProxy&) = delete;
    FaultProxy& operator=(const FaultProxy&) = delete;

    // Listens on 127.0.0.1:listenPort (0: a port the system picks) and starts forwarding. False
    // when it cannot listen, or when it has already been started.
    bool Start(unsigned short listenPort = 0);
    unsigned short Port() const { return port_; }

    // Resets every current connection on both sides; answers how many there were. A connection
    // cut while stalled loses what was held.
    int Cut();
    // Stall(true) stalls every current connection: no byte moves in either direction, since the
    // proxy stops reading and writing, so bytes wait in the sockets and both peers see silence,
    // not an end; even a peer's own close goes unnoticed until the connection is un-stalled or
    // cut. Connections accepted later flow freely, so a client that gives up on a stalled
    // connection can connect again.
    // Stall(false) lets every stalled connection flow again, in order.
    void Stall(bool stalled);
    // For the given time from now, each new connection is reset at once; current ones go on.
    // A zero or negative time ends a refusal early.
    void RefuseFor(std::chrono::milliseconds period);

    // Connections accepted and forwarded to the target so far.
    int AcceptedCount();
    // Connections forwarded that have not ended yet.
    int OpenCount();
    // Connections turned away while refusing.
    int RefusedCount();
    // True once at least `count` connections have been accepted and forwarded; false when that
    // has not happened within `timeout`.
    bool WaitForAccepted(int count, std::chrono::milliseconds timeout);

private:
    // Bytes read from one socket and not yet written to the other.
    struct Direction {
        std::vector<char> held;
        size_t start = 0;
        size_t end = 0;
        bool readEnded = false;
        bool writeShut = false;
    };

    struct Link {
        int client = -1;
        int target = -1;
        bool stalled = false;
        Direction up;    // client to target
        Direction down;  // target to client
    };

    void Run();
    void RunOnLoop(const std::function<void()>& command);
    void RunCommands();
    void Wake();
    void AcceptAll();
    void Admit(int client);
    void Pump(size_t index, short clientEvents, short targetEvents);
    static bool Move(Direction& direction, int from, int to, short fromEvents);
    static bool Read(Direction& direction, int from);
    static bool Write(Direction& direction, int to);
    static short Interest(const Direction& readFrom, const Direction& writeTo);
    void Drop(size_t index, bool reset);
    int CutAll();
    void CloseSockets();

    const unsigned short targetPort_;
    std::atomic<unsigned short> port_{0};
    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;

    // Owned by the forwarding thread (or the caller before Start).
    std::vector<Link> links_;
    bool stopping_ = false;
    std::chrono::steady_clock::time_point refuseUntil_{};

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> commands_;
    unsigned long commandsPosted_ = 0;
    unsigned long commandsDone_ = 0;
    int accepted_ = 0;
    int open_ = 0;
    int refused_ = 0;

    std::thread thread_;
};

}  // namespace TestSupport
