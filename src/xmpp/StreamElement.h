// A stream-management element (enable, resume, an acknowledgement or a request for one):
// written as given, and not a stanza, so stream management neither counts nor keeps it.
// Ownership and threading as Packet.
#pragma once

#include "xmpp/Packet.h"

#include <cstdint>
#include <string>

class StreamElement : public Packet {
public:
    static StreamElement* enable();
    static StreamElement* resume(const std::string& previousId, std::uint32_t handled);
    static StreamElement* acknowledge(std::uint32_t handled);
    static StreamElement* requestAcknowledgement();

    IMString* getXML() override;
    bool isStanza() const override { return false; }

private:
    explicit StreamElement(std::string xml);

    std::string xml_;
};
