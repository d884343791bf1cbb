// The service's no-save (off-the-record) iq. The client sends only the query; its
// NoSaveItem sub-packets are written inside a set. Ownership and threading as Packet.
#pragma once

#include "xmpp/IQ.h"

class NoSaveState : public IQ {
public:
    NoSaveState();
    ~NoSaveState() override;

    IMString* getDerivedXML() override;
};
