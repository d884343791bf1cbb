// "archiveEnd": the end of one page of the archive catch-up, accepted by the archive manager.
// When the archive has more after the page (fin not complete, with a last id), the next page
// is asked for after that id; a complete fin ends the catch-up without a word to the user, and
// the next catch-up starts afresh. A page the server refuses (an error: the archive id it was
// to follow has expired, say) is asked for again by time, from the last received message on.
// Threading: the response thread; the next page's query runs on the request thread.
// Ownership: disposes of the fin.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/ArchiveFin.h"

class ArchiveEndHandler : public PayloadHandler<ArchiveFin> {
public:
    ArchiveEndHandler();
    ~ArchiveEndHandler() override;

protected:
    void handlePayload(ArchiveFin& fin) override;

private:
    void finishCatchUp();
    void goOnByTime();
};
