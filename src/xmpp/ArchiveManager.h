// Asks the user's own server for the messages it archived (one page per query) and decides
// which answers count. An archive is the user's own: a result counts only when it comes from
// the server (no sender, or the user's own bare id) and answers a query this manager sent and
// whose page has not ended; otherwise anyone could write history into the user's stores by
// sending a message that looks like a result. A fin counts only for the iq id of an open page,
// which it ends. An error answer (a server without an archive) is dropped by the reader like
// every iq error: the page stays open, unanswered, until the connection and its manager go,
// and nothing more is asked.
//
// The archive's time stamps may be whole seconds, while the client stamps what it receives
// to the millisecond: every result of a catch-up is newer than the message the catch-up
// started from, so results are marked not to be older than that message's time, which keeps
// them after it in the conversation.
//
// Threading: query from the request and response threads, accepts and ends on the reader
// thread inside the connection lock; the open pages (the connection's ArchivePages, which
// outlive this manager, so that a resumed session's answers still count) are guarded by
// their own lock. Ownership: as SubManager; arguments stay with the caller.
#pragma once

#include "foundation/IMString.h"
#include "xmpp/SubManager.h"


class IQ;
class ArchivedMessage;

class ArchiveManager : public SubManager {
public:
    static constexpr int PAGE_SIZE = 50;

    explicit ArchiveManager(Connection* connection);
    ~ArchiveManager() override;

    // Sends the query for one page after the archive id `after`, or, when it is empty, from
    // the time `start` (ISO 8601, UTC) on. A non-empty `notBefore` (ISO 8601, UTC) starts a
    // catch-up: no result of it, on this page and the next, is filed before that time.
    // Answers whether the query was handed to the connection.
    bool query(const IMString& after, const IMString& start, const IMString& notBefore);
    // Whether the result answers an open page and comes from the user's own server.
    bool accepts(ArchivedMessage& result);
    // Whether the answer (the page's fin, or an error refusing it) ends an open page and comes
    // from the user's own server; that page is then closed.
    bool ends(IQ& answer);

private:
    bool isFromOwnServer(IMString* from);
};
