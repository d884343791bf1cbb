// The client's answer to an iq request addressed to it: the request's id, addressed back to
// its sender (the reply's "to" is the request's "from", its "from" the request's "to"), of
// type result or error, with a fixed payload written as given.
// Ownership: as Packet; the reply owns its payload. Thread-safety: as Packet.
#pragma once

#include "xmpp/IQ.h"

class IQReply : public IQ {
public:
    // `payload` is copied; null writes an empty iq.
    IQReply(IQ& request, Type type, const char* payload);
    ~IQReply() override;

    IMString* getDerivedXML() override;

private:
    IMString* payload_;
};
