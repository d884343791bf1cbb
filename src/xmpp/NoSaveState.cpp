#include "xmpp/NoSaveState.h"

NoSaveState::NoSaveState() = default;

NoSaveState::~NoSaveState() = default;

IMString* NoSaveState::getDerivedXML()
{
    auto xml = new IMString("<query xmlns=\"google:nosave\" ");
    if (getType() != Type::SET) {
        xml->Append("/>");
        return xml;
    }
    xml->Append(">");
    appendSubPacketsXML(*xml);
    xml->Append("</query>");
    return xml;
}
