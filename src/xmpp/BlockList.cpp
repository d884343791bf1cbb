#include "xmpp/BlockList.h"

#include "xmpp/XMLEscape.h"

namespace {

const char* elementOf(BlockList::Kind kind)
{
    switch (kind) {
    case BlockList::Kind::BLOCK:
        return "block";
    case BlockList::Kind::UNBLOCK:
        return "unblock";
    case BlockList::Kind::LIST:
        break;
    }
    return "blocklist";
}

}  // namespace

BlockList::BlockList(Kind kind) : kind_(kind) {}

BlockList::~BlockList() = default;

IMString* BlockList::getDerivedXML()
{
    auto xml = new IMString("<");
    xml->Append(elementOf(kind_));
    xml->Append(" xmlns=\"");
    xml->Append(NAMESPACE);
    if (ids_.empty()) {
        xml->Append("\"/>");
        return xml;
    }
    xml->Append("\">");
    for (const IMString& id : ids_) {
        XMLEscape::appendField(*xml, "<item jid=\"", &id, "\"/>");
    }
    xml->Append("</");
    xml->Append(elementOf(kind_));
    xml->Append(">");
    return xml;
}

BlockList::Kind BlockList::getKind() const { return kind_; }

const std::vector<IMString>& BlockList::getIds() const { return ids_; }

void BlockList::addId(const IMString& id) { ids_.push_back(id); }
