#include "xmpp/IQ.h"

#include "xmpp/TypeTable.h"
#include "xmpp/XMLEscape.h"

namespace {

const char* const typeNames[] = {"get", "set", "result", "error"};

}  // namespace

IQ::IQ() = default;

IQ::~IQ() = default;

IMString* IQ::getXML()
{
    auto xml = new IMString("<iq ");
    XMLEscape::appendField(*xml, "id=\"", getPacketID(), "\" ");
    XMLEscape::appendField(*xml, "to=\"", getTo(), "\" ");
    XMLEscape::appendField(*xml, "from=\"", getFrom(), "\" ");
    xml->Append("type=\"");
    xml->Append(type_ == Type::NONE ? IMString("get") : getIQTypeString(type_));
    xml->Append("\">");
    IMString* payload = getDerivedXML();
    if (payload != nullptr) {
        xml->Append(*payload);
        delete payload;
    }
    xml->Append("</iq>");
    return xml;
}

IQ::Type IQ::getType() const { return type_; }

void IQ::setType(Type type) { type_ = type; }

IQ::Type IQ::getIQType(IMString* text)
{
    if (text == nullptr) {
        return Type::ERROR;
    }
    return static_cast<Type>(TypeTable::valueOf(text, typeNames, 4, 1, static_cast<int>(Type::UNKNOWN)));
}

IMString IQ::getIQTypeString(Type type) { return TypeTable::textOf(static_cast<int>(type), typeNames, 4, 1); }
