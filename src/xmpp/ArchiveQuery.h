// One page of the user's message archive asked of the server (a set of "urn:xmpp:mam:2"
// with its query id): the results after an archive id the client already has, or, when it
// has none, those from a time on; at most `max` of them. The server answers with one message
// per result, carrying the query id, and then with the iq result that says whether that was
// the last page.
// Ownership and threading as Packet; the query owns its texts.
#pragma once

#include "xmpp/IQ.h"

class ArchiveQuery : public IQ {
public:
    ArchiveQuery();
    ~ArchiveQuery() override;

    IMString* getDerivedXML() override;

    IMString* getQueryId();
    void setQueryId(IMString* queryId);
    // The archive id the page starts after; when null, `start` bounds it instead.
    void setAfter(IMString* after);
    // An ISO 8601 time (UTC); used only without `after`.
    void setStart(IMString* start);
    void setMax(int max);

private:
    IMString* queryId_ = nullptr;
    IMString* after_ = nullptr;
    IMString* start_ = nullptr;
    int max_ = 0;
};
