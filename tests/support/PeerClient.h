// A scripted second XMPP client for end-to-end tests: runs tests/e2e/peer.py (slixmpp, under
// /usr/bin/python3 and coreutils' timeout) against a local server, writes it one command per
// line and reads the events it writes, one JSON object per line (the script's documentation
// lists both).
//
// Every event is kept in arrival order. WaitFor takes the first event not taken yet that
// matches, reading more as needed until its time-out; events that arrive before a test asks for
// them are therefore never lost, and Events() still shows the taken ones, so a test can check
// what did not arrive before a later event.
//
// The peer runs in a process group of its own and ends at the latest after Options::lifetime
// (the timeout tool kills it, even when this process died first); Quit or the destructor ends it
// earlier, by the "quit" command or, after a time-out, by killing its group.
// Threading and ownership: one thread at a time. The object owns the peer process.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace TestSupport {

// One event line: "event" names it; every value is a string.
class PeerEvent {
public:
    // Null when the line is not a flat JSON object of strings (the peer's other output).
    static std::optional<PeerEvent> Parse(const std::string& line);

    const std::string& Name() const;
    // The field's value, empty when the event has no such field.
    const std::string& operator[](const std::string& field) const;
    const std::map<std::string, std::string>& Fields() const;

private:
    std::map<std::string, std::string> fields_;
};

class PeerClient {
public:
    struct Options {
        std::string jid;  // user@domain; the domain is also the name the certificate must carry
        std::string password;
        unsigned short port = 0;  // on 127.0.0.1
        std::string caFile;
        std::string resource = "peer";
        std::chrono::seconds lifetime{300};
    };
    using Match = std::function<bool(const PeerEvent&)>;

    explicit PeerClient(Options options);
    ~PeerClient();

    PeerClient(const PeerClient&) = delete;
    PeerClient& operator=(const PeerClient&) = delete;

    // Starts the peer and waits until it has signed in ("ready"); throws std::runtime_error
    // with the peer's output when it cannot start, fails or does not get ready in time.
    // Launch and WaitUntilReady are the two halves, for starting several peers side by side.
    void Start(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    void Launch();
    void WaitUntilReady(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // Writes one command line; false when the peer is not running or no longer reads.
    bool Send(const std::string& command);
    // Sends the command and waits for its "done" or "error" event; null on time-out.
    std::optional<PeerEvent> Run(
        const std::string& command, std::chrono::milliseconds timeout = std::chrono::seconds(15));
    // The first event not taken yet with that name (and accepted by match, when given), taken;
    // null when none arrives within the time-out.
    std::optional<PeerEvent> WaitFor(const std::string& name, std::chrono::milliseconds timeout,
        const Match& match = {});

    // Every event so far, taken or not, in arrival order.
    const std::vector<PeerEvent>& Events() const;
    // The peer's output lines that are not events (diagnostics, tracebacks).
    const std::string& Diagnostics() const;

    // Sends "quit" and waits for the peer to end, then kills its group if it has not; true
    // when it ended by itself with status 0. Does nothing (true) when it is not running.
    bool Quit(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // TEXT of a command for the given text: backslashes and line breaks escaped.
    static std::string EscapeText(const std::string& text);

private:
    // The first event not taken yet that match accepts, taken; null at the deadline or when the
    // peer's output has ended without one.
    std::optional<PeerEvent> Take(
        const Match& match, std::chrono::steady_clock::time_point deadline);
    // Waits until the peer writes (or the deadline) and files what it wrote; false when its
    // output has ended.
    bool ReadUntil(std::chrono::steady_clock::time_point deadline);
    void TakeLine(const std::string& line);
    // Ends the process: waits for it until the deadline while draining its output, then kills
    // its group; the exit status, or -1 when it had to be killed.
    int Reap(std::chrono::steady_clock::time_point deadline);
    void CloseDescriptors();

    Options options_;
    pid_t pid_ = -1;
    // Our end of the peer's standard input: a socket, so that a write to a peer that has gone
    // fails instead of raising SIGPIPE.
    int commands_ = -1;
    int output_ = -1;    // our end of the peer's standard output and error
    std::string partial_;  // the unfinished last output line
    std::vector<PeerEvent> events_;
    std::vector<bool> taken_;
    std::string diagnostics_;
};

}  // namespace TestSupport
