// What stream management remembers of the account's session across its connections: whether
// the current connection tracks stanzas, the server's session id and whether the session can
// be resumed, how many of the server's stanzas the client has handled (committed to the
// stores, so an acknowledgement never covers something a crash would lose), and the stanzas
// the client sent that the server has not acknowledged yet, in the order they went out.
//
// Counting the server's stanzas: the reader counts every stanza it reads; an <enabled/> or
// <resumed/> answer carries the reader's count at that point, which becomes the base, so a
// later request for an acknowledgement is answered with base handled + (read now - read at
// base). Both directions count modulo 2^32.
//
// Every change of session (enabled afresh, resumption failed) starts a new epoch; an
// acknowledgement computed in an earlier epoch is stale and is not applied.
//
// Threading: every member under one lock; the sending threads call track (in the order the
// stanzas go out, which the connection ensures), the reader thread the server's answers, the
// response thread handled. Ownership: a value member of the connection.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

class StreamManagement {
public:
    // A stanza kept until the server acknowledges it; `chat` marks a chat message, the only
    // kind sent again when the session cannot be resumed.
    struct Sent {
        std::string xml;
        bool chat;
    };

    // A new account or a polite end: nothing is kept.
    void reset();
    // The session of an earlier run, from the account store.
    void restore(const std::string& id, std::uint32_t handled);
    bool canResume() const;
    std::string sessionId() const;
    std::uint32_t handled() const;
    std::uint64_t epoch() const;

    // A new connection begins: nothing is tracked on it until enabled or resumed.
    void beginConnection();
    // <enable/> went out on a fresh session: stanzas sent from now on are kept.
    void enableSent();
    void enabled(const std::string& id, bool resumable, std::uint32_t readNow);
    // The server would not enable it: nothing is kept or counted.
    void enableFailed();
    // The count a <resume/> names: the server sends again everything after it.
    std::uint32_t resumeFrom();
    // The server resumed the session having handled `serverHandled` of ours: answers what
    // must go out again, in order (it stays kept until acknowledged).
    std::vector<std::string> resumed(std::uint32_t serverHandled, std::uint32_t readNow);
    // The session is gone: the chat messages the server did not acknowledge are set aside to
    // go out once more on the new session (takePendingChats); everything else is dropped.
    void resumeFailed(bool hasServerHandled, std::uint32_t serverHandled);
    // The connection ended while a <resume/> had no answer yet. Some servers close the stream
    // rather than answer <failed/> (one whose kept queue overflowed, say), so that counts as
    // a refusal: the next connection starts afresh. Answers whether a resume was outstanding.
    bool resumeCutShort();
    std::vector<std::string> takePendingChats();

    // Keeps a stanza that went out; answers whether to ask the server for an acknowledgement
    // (none is outstanding).
    bool track(std::string xml, bool chat);
    bool isTracking() const;
    void acknowledged(std::uint32_t serverHandled);
    // The count to acknowledge once everything read up to `readNow` has been handled, in the
    // current epoch; false when stream management is not on.
    bool handledAt(std::uint32_t readNow, std::uint32_t* count, std::uint64_t* epoch) const;
    // Everything up to `count` is committed; false when `epoch` is over.
    bool handled(std::uint32_t count, std::uint64_t epoch);
    std::size_t unacknowledged() const;

private:
    void dropAcknowledged(std::uint32_t serverHandled);
    void failResumption(bool hasServerHandled, std::uint32_t serverHandled);

    mutable std::mutex lock_;
    std::string id_;
    bool resumable_ = false;
    bool tracking_ = false;
    bool counting_ = false;
    bool requestOutstanding_ = false;
    bool resuming_ = false;
    std::uint64_t epoch_ = 0;
    std::uint32_t handled_ = 0;
    std::uint32_t handledAtBase_ = 0;
    std::uint32_t resumedFrom_ = 0;
    std::uint32_t readAtBase_ = 0;
    std::uint32_t serverHandled_ = 0;
    std::deque<Sent> sent_;
    std::vector<std::string> pendingChats_;
};
