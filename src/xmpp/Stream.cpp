#include "xmpp/Stream.h"

#include "xmpp/Constants.h"
#include "xmpp/XMLEscape.h"

Stream::Stream(bool open) : open_(open) {}

Stream::~Stream() = default;

IMString* Stream::getXML()
{
    if (!open_) {
        return new IMString("</stream:stream>");
    }
    auto xml = new IMString("<stream:stream");
    XMLEscape::appendField(*xml, " to=\"", &Constants::DOMAIN, "\"");
    xml->Append(" xmlns=\"jabber:client\"");
    xml->Append(" xmlns:stream=\"http://etherx.jabber.org/streams\"");
    xml->Append(" version=\"1.0\">");
    return xml;
}
