#include "xmpp/Session.h"

Session::Session(Type type) { setType(type); }

Session::~Session() = default;

IMString* Session::getDerivedXML() { return new IMString("<session xmlns=\"urn:ietf:params:xml:ns:xmpp-session\"/>"); }
