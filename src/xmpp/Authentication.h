// The SASL PLAIN authentication element with the service's extension attribute. It is
// written without an iq wrapper: getXML() is the payload alone. The PLAIN message is the
// authorization id (user name, "@", the default domain), a zero byte, the user name, a zero
// byte and the password, all UTF-8, Base64-encoded.
// Ownership: the user name and password stay with the caller and must outlive the packet.
// Thread-safety: as Packet.
#pragma once

#include "xmpp/IQ.h"

class Authentication : public IQ {
public:
    Authentication(IMString* userName, IMString* password);
    ~Authentication() override;

    IMString* getXML() override;
    bool isStanza() const override { return false; }
    IMString* getDerivedXML() override;

private:
    IMString* plainMessage();

    IMString* userName_;
    IMString* password_;
};
