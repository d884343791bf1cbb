#include "xmpp/Roster.h"

Roster::Roster() = default;

Roster::~Roster() = default;

IMString* Roster::getDerivedXML()
{
    auto xml = new IMString("<query xmlns=\"jabber:iq:roster\" ");
    xml->Append("xmlns:gr=\"google:roster\" gr:ext=\"2\"");
    IMString* items = getSubPacketsXML();
    if (items->IsEmpty()) {
        xml->Append("/>");
    } else {
        xml->Append(">");
        xml->Append(*items);
        xml->Append("</query>");
    }
    delete items;
    return xml;
}
