// An iq without payload, used to acknowledge a roster push with a result. Ownership and
// threading as Packet.
#pragma once

#include "xmpp/IQ.h"

class NewIQ : public IQ {
public:
    NewIQ();
    ~NewIQ() override;

    IMString* getDerivedXML() override;
};
