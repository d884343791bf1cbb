// The archive pages the client has asked for and not yet seen end, with the time the running
// catch-up started from. It belongs to the connection, not to one attempt's archive manager:
// a session resumed after a loss gets the answers to a query sent before it, and they must
// still count. Threading: every member under the lock, taken by the archive manager.
// Ownership: a value member of the connection.
#pragma once

#include "foundation/IMString.h"

#include <mutex>
#include <set>
#include <string>

struct ArchivePages {
    std::mutex lock;
    // Each page's query is sent with the same text as its iq id and its query id: "archive_"
    // and a count kept for the life of the connection.
    std::set<std::string> open;
    int sent = 0;
    IMString notBefore;
    // The archive id the unfinished catch-up started after (empty when none is unfinished):
    // a catch-up cut short by a session that could not be resumed starts again from there,
    // not from the newest message stored since, which would skip the pages not yet fetched.
    IMString catchUpFrom;
};
