// The archive pages the client has asked for and not yet seen end, and the state of the
// running catch-up. It belongs to the connection, not to one attempt's archive manager: a
// session resumed after a loss gets the answers to a query sent before it, and they must still
// count. Threading: every call under the object's own lock, from the request thread (pages
// asked for), the reader thread (results and ends) and the response thread (the catch-up's
// start and end). Ownership: a value member of the connection.
#pragma once

#include "foundation/IMString.h"

#include <map>
#include <mutex>
#include <set>
#include <string>

class ArchivePages {
public:
    // A page is asked for: answers its id, sent both as the iq id and as the query id
    // ("archive_" and a count kept for the life of the connection). A non-empty `notBefore`
    // (a catch-up's first page) becomes the floor of every conversation: the time no result is
    // filed before.
    std::string open(const IMString& notBefore);
    // Whether `queryId` names a page still open.
    bool isOpen(const std::string& queryId);
    // The floor of the conversation with `peer` (ISO 8601, UTC, to the millisecond), and its
    // rise as each result of it is filed, new or already stored: the results come in the
    // archive's order.
    IMString floor(const IMString& peer);
    void raiseFloor(const IMString& peer, const IMString& time);
    // The page ended (or was refused): false when it was not open.
    bool close(const std::string& id);

    // A catch-up begins after `newest`, the newest archive id stored, and `lastReceived`, the
    // time of the newest message stored, is where the gap it fills begins. Unless one cut short
    // by a session that could not be resumed is unfinished: that one starts again from where it
    // started, and `lastReceived` becomes the time its gap began. Neither may move to a message
    // stored since (what the server held offline, say), or the pages not yet fetched would be
    // skipped, or filed after messages newer than they are. Answers where it starts.
    IMString startCatchUp(const IMString& newest, IMString& lastReceived);
    // Where the unfinished catch-up started; empty when none is unfinished.
    IMString unfinishedCatchUp();
    // The server refused a page (an archive id it no longer keeps, say). Answers true the first
    // time, when the catch-up is to go on by time instead, from `since`, the time its gap began;
    // false when it already did.
    bool fallBackToTime(IMString& since);
    void finishCatchUp();

private:
    std::mutex lock_;
    std::set<std::string> open_;
    int sent_ = 0;
    IMString floor_;
    std::map<std::string, IMString> raised_;
    IMString catchUpFrom_;
    IMString gapBegan_;
    bool byTime_ = false;
};
