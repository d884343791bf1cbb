#include "xmpp/Packet.h"

#include "foundation/Util.h"
#include "xmpp/XMLEscape.h"

#include <mutex>

namespace {

std::mutex idLock;
IMString* idPrefix = nullptr;
long idCounter = 0;

}  // namespace

Packet::Packet() : subPackets_(new IMVector()) {}

Packet::~Packet()
{
    clean();
    delete id_;
    delete to_;
    delete from_;
    delete xmlns_;
    delete error_;
}

IMString* Packet::getFrom() { return from_; }

void Packet::setFrom(IMString* from) { OwnedField::replace(from_, from); }

IMString* Packet::getTo() { return to_; }

void Packet::setTo(IMString* to) { OwnedField::replace(to_, to); }

void Packet::setPacketID(IMString* id) { OwnedField::replace(id_, id); }

IMString* Packet::getPacketID()
{
    if (id_ == nullptr) {
        id_ = getNextID();
    }
    return id_;
}

bool Packet::hasPacketID() const { return id_ != nullptr; }

IMString* Packet::getXmlns() { return xmlns_; }

void Packet::setXmlns(IMString* xmlns) { OwnedField::replace(xmlns_, xmlns); }

XMPPError* Packet::getError() { return error_; }

void Packet::setError(XMPPError* error) { OwnedField::replace(error_, error); }

IMVector* Packet::getSubPackets() { return subPackets_; }

void Packet::addSubPacket(SubPacket* subPacket)
{
    if (subPackets_ == nullptr) {
        subPackets_ = new IMVector();
    }
    subPackets_->put(subPacket);
}

IMString* Packet::getSubPacketsXML()
{
    auto xml = new IMString();
    int count = subPackets_ != nullptr ? subPackets_->size() : 0;
    for (int i = 0; i < count; ++i) {
        Ixa::Base::Object* element = nullptr;
        subPackets_->getAt(i, element);
        IMString* part = static_cast<SubPacket*>(element)->getXML();
        if (part != nullptr) {
            xml->Append(*part);
            delete part;
        }
    }
    return xml;
}

void Packet::clean()
{
    if (subPackets_ != nullptr) {
        subPackets_->RemoveAll(true);
        delete subPackets_;
        subPackets_ = nullptr;
    }
}

void Packet::appendStanzaAttributes(IMString& xml, IMString* xmlLang)
{
    XMLEscape::appendField(xml, " xmlns=\"", xmlns_, "\"");
    XMLEscape::appendField(xml, " xml:lang=\"", xmlLang, "\"");
    XMLEscape::appendField(xml, " id=\"", id_, "\"");
    XMLEscape::appendField(xml, " to=\"", to_, "\"");
    XMLEscape::appendField(xml, " from=\"", from_, "\"");
}

void Packet::appendSubPacketsXML(IMString& xml)
{
    IMString* children = getSubPacketsXML();
    xml.Append(*children);
    delete children;
}

IMString* Packet::getNextID()
{
    std::lock_guard<std::mutex> guard(idLock);
    if (idPrefix == nullptr) {
        idPrefix = Util::getRandomString(5);
    }
    auto id = new IMString(*idPrefix);
    id->Append(idCounter++);
    return id;
}

void Packet::releaseIDPrefix()
{
    std::lock_guard<std::mutex> guard(idLock);
    delete idPrefix;
    idPrefix = nullptr;
}
