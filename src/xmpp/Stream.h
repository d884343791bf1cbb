// The client's stream header (addressed to the service's default domain, without an XML
// declaration) or the closing tag. Ownership and threading as Packet.
#pragma once

#include "xmpp/Packet.h"

class Stream : public Packet {
public:
    explicit Stream(bool open);
    ~Stream() override;

    IMString* getXML() override;
    bool isStanza() const override { return false; }

private:
    bool open_;
};
