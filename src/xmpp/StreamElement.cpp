#include "xmpp/StreamElement.h"

#include "xmpp/XMLEscape.h"

#include <utility>

namespace {

const std::string NAMESPACE = " xmlns=\"urn:xmpp:sm:3\"";

}  // namespace

StreamElement::StreamElement(std::string xml) : xml_(std::move(xml)) {}

StreamElement* StreamElement::enable() { return new StreamElement("<enable" + NAMESPACE + " resume=\"true\"/>"); }

StreamElement* StreamElement::resume(const std::string& previousId, std::uint32_t handled)
{
    IMString id(previousId.c_str());
    IMString* escaped = XMLEscape::escape(&id);
    std::string xml = "<resume" + NAMESPACE + " h=\"" + std::to_string(handled) + "\" previd=\"" +
                      escaped->ToUtf8() + "\"/>";
    delete escaped;
    return new StreamElement(xml);
}

StreamElement* StreamElement::acknowledge(std::uint32_t handled)
{
    return new StreamElement("<a" + NAMESPACE + " h=\"" + std::to_string(handled) + "\"/>");
}

StreamElement* StreamElement::requestAcknowledgement() { return new StreamElement("<r" + NAMESPACE + "/>"); }

IMString* StreamElement::getXML() { return new IMString(xml_.c_str()); }
