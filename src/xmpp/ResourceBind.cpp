#include "xmpp/ResourceBind.h"

#include "xmpp/XMLEscape.h"

ResourceBind::ResourceBind(Type type, IMString* jid, IMString* resource) : jid_(jid), resource_(resource)
{
    setType(type);
}

ResourceBind::~ResourceBind() { delete jid_; }

IMString* ResourceBind::getDerivedXML()
{
    auto xml = new IMString("<bind xmlns=\"urn:ietf:params:xml:ns:xmpp-bind\">");
    XMLEscape::appendField(*xml, "<resource>", resource_, "</resource>");
    XMLEscape::appendField(*xml, "<jid>", jid_, "</jid>");
    delete jid_;
    jid_ = nullptr;
    xml->Append("</bind>");
    return xml;
}
