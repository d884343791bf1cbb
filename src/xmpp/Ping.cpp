#include "xmpp/Ping.h"

#include "xmpp/Constants.h"

Ping::Ping()
{
    setType(Type::GET);
    setTo(new IMString(Constants::DOMAIN));
}

Ping::~Ping() = default;

IMString* Ping::getDerivedXML() { return new IMString("<ping xmlns=\"urn:xmpp:ping\"/>"); }
