#include "xmpp/Authentication.h"

#include "foundation/Base64.h"
#include "xmpp/Constants.h"

#include <string>

namespace {

void appendUtf8(std::string& out, const Ixa::Base::String* text)
{
    if (text != nullptr) {
        out += text->ToUtf8();
    }
}

}  // namespace

Authentication::Authentication(IMString* userName, IMString* password) : userName_(userName), password_(password) {}

Authentication::~Authentication() = default;

IMString* Authentication::getXML() { return getDerivedXML(); }

IMString* Authentication::getDerivedXML()
{
    auto xml = new IMString("<auth xmlns='urn:ietf:params:xml:ns:xmpp-sasl' ");
    xml->Append("mechanism='PLAIN'");
    xml->Append(" xmlns:ga='");
    xml->Append(Constants::AUTH_NAMESPACE);
    xml->Append("' ");
    xml->Append("ga:client-uses-full-bind-result='true' >");
    IMString* payload = plainMessage();
    xml->Append(*payload);
    delete payload;
    xml->Append("</auth>");
    return xml;
}

IMString* Authentication::plainMessage()
{
    std::string message;
    appendUtf8(message, userName_);
    appendUtf8(message, &Constants::AT);
    appendUtf8(message, &Constants::DOMAIN);
    message.push_back('\0');
    appendUtf8(message, userName_);
    message.push_back('\0');
    appendUtf8(message, password_);
    IMByteBuffer bytes;
    bytes.Construct(static_cast<int>(message.size()));
    bytes.SetArray(reinterpret_cast<const Ixa::byte*>(message.data()), 0, static_cast<int>(message.size()));
    bytes.Flip();
    return Base64::encode(&bytes);
}
