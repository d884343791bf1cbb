#include "xmpp/IQResponder.h"

#include "xmpp/IQReply.h"

namespace {

const char* const DISCO_INFO =
    "<query xmlns=\"http://jabber.org/protocol/disco#info\">"
    "<identity category=\"client\" type=\"phone\" name=\"VeloIM\"/>"
    "<feature var=\"http://jabber.org/protocol/disco#info\"/>"
    "<feature var=\"urn:xmpp:ping\"/>"
    "</query>";

const char* const SERVICE_UNAVAILABLE =
    "<error type=\"cancel\"><service-unavailable xmlns=\"urn:ietf:params:xml:ns:xmpp-stanzas\"/></error>";

}  // namespace

IQResponder::IQResponder(Connection* connection) : SubManager(connection) {}

IQResponder::~IQResponder() = default;

bool IQResponder::isRequest(IQ& iq) { return iq.getType() == IQ::Type::GET || iq.getType() == IQ::Type::SET; }

void IQResponder::answer(IQ& request)
{
    bool get = request.getType() == IQ::Type::GET;
    if (get && isNamespace(request, PING_NAMESPACE)) {
        acknowledge(request);
    } else if (get && isNamespace(request, DISCO_INFO_NAMESPACE)) {
        reply(request, IQ::Type::RESULT, DISCO_INFO);
    } else {
        refuse(request);
    }
}

void IQResponder::acknowledge(IQ& request) { reply(request, IQ::Type::RESULT, nullptr); }

void IQResponder::refuse(IQ& request) { reply(request, IQ::Type::ERROR, SERVICE_UNAVAILABLE); }

// Results and errors are never answered, lest two clients answer each other for ever; a
// request without an id cannot be matched by its sender, so it is not answered either.
void IQResponder::reply(IQ& request, IQ::Type type, const char* payload)
{
    if (isRequest(request) && request.hasPacketID()) {
        send(new IQReply(request, type, payload));
    }
}

bool IQResponder::isNamespace(IQ& request, const char* name)
{
    IMString* xmlns = request.getXmlns();
    return xmlns != nullptr && xmlns->Equals(name, true);
}
