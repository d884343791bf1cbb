// The resource-binding payload: the resource asked for and, optionally, a full id.
// Ownership: the resource stays with the caller; the packet takes the jid and deletes it
// once it has been written, so it is written at most once. Thread-safety: as Packet.
#pragma once

#include "xmpp/IQ.h"

class ResourceBind : public IQ {
public:
    ResourceBind(Type type, IMString* jid, IMString* resource);
    ~ResourceBind() override;

    IMString* getDerivedXML() override;

private:
    IMString* jid_;
    IMString* resource_;
};
