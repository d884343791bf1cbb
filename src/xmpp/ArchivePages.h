// The archive pages the client has asked for and not yet seen end, and the state of the
// running catch-up. It belongs to the connection, not to one attempt's archive manager: a
// session resumed after a loss gets the answers to a query sent before it, and they must still
// count. Threading: every call under the object's own lock, from the request thread (pages
// asked for), the reader thread (results and ends) and the response thread (the catch-up's
// start and end). Ownership: a value member of the connection.
#pragma once

#include "foundation/IMString.h"

#include <mutex>
#include <set>
#include <string>

class ArchivePages {
public:
    // A page is asked for: answers its id, sent both as the iq id and as the query id
    // ("archive_" and a count kept for the life of the connection). A non-empty `notBefore`
    // becomes the time before which results count as already received.
    std::string open(const IMString& notBefore);
    // Whether `queryId` names a page still open; if so, `notBefore` gets the time set last.
    bool isOpen(const std::string& queryId, IMString& notBefore);
    // The page ended (or was refused): false when it was not open.
    bool close(const std::string& id);

    // A catch-up begins after `newest`, the newest archive id stored, unless one cut short by a
    // session that could not be resumed is unfinished: that one starts again from where it
    // started, not from a message stored since, which would skip the pages not yet fetched.
    // Answers where it starts.
    IMString startCatchUp(const IMString& newest);
    // Where the unfinished catch-up started; empty when none is unfinished.
    IMString unfinishedCatchUp();
    // The server refused a page (an archive id it no longer keeps, say). Answers true the first
    // time, when the catch-up is to go on by time instead; false when it already did.
    bool fallBackToTime();
    void finishCatchUp();

private:
    std::mutex lock_;
    std::set<std::string> open_;
    int sent_ = 0;
    IMString notBefore_;
    IMString catchUpFrom_;
    bool byTime_ = false;
};
