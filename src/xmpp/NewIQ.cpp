#include "xmpp/NewIQ.h"

NewIQ::NewIQ() = default;

NewIQ::~NewIQ() = default;

IMString* NewIQ::getDerivedXML() { return new IMString(); }
