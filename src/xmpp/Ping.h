// A ping to the server (an iq get with the ping payload): any answer, a result or an error,
// shows that the connection still carries bytes. Ownership and threading as Packet.
#pragma once

#include "xmpp/IQ.h"

class Ping : public IQ {
public:
    Ping();
    ~Ping() override;

    IMString* getDerivedXML() override;
};
