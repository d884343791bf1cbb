// The session-establishment payload. Ownership and threading as Packet.
#pragma once

#include "xmpp/IQ.h"

class Session : public IQ {
public:
    explicit Session(Type type);
    ~Session() override;

    IMString* getDerivedXML() override;
};
