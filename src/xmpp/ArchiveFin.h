// The server's answer that ends one page of an archive query: the iq result (its id is the
// query's iq id) carrying whether the archive has nothing more after this page, and the
// archive id of the page's last result, after which the next page starts.
// Ownership and threading as Packet; the fin owns its last id. Never sent.
#pragma once

#include "xmpp/IQ.h"

class ArchiveFin : public IQ {
public:
    ArchiveFin();
    ~ArchiveFin() override;

    // Null: nothing to write.
    IMString* getDerivedXML() override;

    bool isComplete() const;
    void setComplete(bool complete);
    // Null when the page was empty.
    IMString* getLast();
    void setLast(IMString* last);

private:
    bool complete_ = true;
    IMString* last_ = nullptr;
};
