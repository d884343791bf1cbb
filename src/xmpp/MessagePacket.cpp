#include "xmpp/MessagePacket.h"

#include "xmpp/TypeTable.h"
#include "xmpp/XMLEscape.h"

namespace {

const char* const typeNames[] = {"default", "chat", "groupChat", "headline", "normal", "error"};

}  // namespace

MessagePacket::MessagePacket() = default;

MessagePacket::~MessagePacket()
{
    delete subject_;
    delete body_;
    delete thread_;
    delete xmlLang_;
}

IMString* MessagePacket::getXML()
{
    auto xml = new IMString("<message");
    appendStanzaAttributes(*xml, xmlLang_);
    if (type_ != Type::NORMAL) {
        xml->Append(" type=\"");
        xml->Append(getMessagePacketTypeString(type_));
        xml->Append("\"");
    }
    xml->Append(">");
    XMLEscape::appendField(*xml, "<subject>", subject_, "</subject>");
    if (body_ != nullptr) {
        xml->Append("<body>");
        xml->Append(*body_);
        xml->Append("</body>");
    }
    XMLEscape::appendField(*xml, "<thread>", thread_, "</thread>");
    appendSubPacketsXML(*xml);
    xml->Append("</message>");
    return xml;
}

IMString* MessagePacket::getSubject() { return subject_; }

void MessagePacket::setSubject(IMString* subject) { OwnedField::replace(subject_, subject); }

IMString* MessagePacket::getBody() { return body_; }

void MessagePacket::setBody(IMString* body, bool escape)
{
    if (escape && body != nullptr) {
        body = XMLEscape::escape(body);
    }
    OwnedField::replace(body_, body);
}

IMString* MessagePacket::getThread() { return thread_; }

void MessagePacket::setThread(IMString* thread) { OwnedField::replace(thread_, thread); }

IMString* MessagePacket::getXmlLang() { return xmlLang_; }

void MessagePacket::setXmlLang(IMString* xmlLang) { OwnedField::replace(xmlLang_, xmlLang); }

bool MessagePacket::isNoSaveStatus() const { return noSave_; }

void MessagePacket::setNoSaveStatus(bool noSave) { noSave_ = noSave; }

void MessagePacket::addStanzaId(const IMString& by, const IMString& id) { stanzaIds_.emplace_back(by, id); }

const IMString* MessagePacket::getStanzaIdBy(const IMString& by) const
{
    for (const auto& stanzaId : stanzaIds_) {
        if (stanzaId.first.Equals(by, false)) {
            return &stanzaId.second;
        }
    }
    return nullptr;
}

MessagePacket::Type MessagePacket::getMessageType() const { return type_; }

void MessagePacket::setMessageType(Type type) { type_ = type; }

MessagePacket::Type MessagePacket::getMessagePacketType() const { return type_; }

void MessagePacket::setMessagePacketType(Type type) { type_ = type; }

MessagePacket::Type MessagePacket::getMessagePacketType(IMString* text)
{
    return static_cast<Type>(TypeTable::valueOf(text, typeNames, 6, 0, static_cast<int>(Type::UNKNOWN)));
}

IMString MessagePacket::getMessagePacketTypeString(Type type)
{
    return TypeTable::textOf(static_cast<int>(type), typeNames, 6, 0);
}
