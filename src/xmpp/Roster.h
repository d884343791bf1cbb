// A roster iq with the service's roster extension; its items are the RosterItem
// sub-packets, in document order. A roster read from the server also carries its iq type and
// sender, so a result is told from a push. Ownership and threading as Packet.
#pragma once

#include "xmpp/IQ.h"

class Roster : public IQ {
public:
    Roster();
    ~Roster() override;

    IMString* getDerivedXML() override;
};
