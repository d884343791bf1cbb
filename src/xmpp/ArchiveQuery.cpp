#include "xmpp/ArchiveQuery.h"

#include "xmpp/XMLEscape.h"

ArchiveQuery::ArchiveQuery() { setType(IQ::Type::SET); }

ArchiveQuery::~ArchiveQuery()
{
    delete queryId_;
    delete after_;
    delete start_;
}

IMString* ArchiveQuery::getDerivedXML()
{
    auto xml = new IMString("<query xmlns=\"urn:xmpp:mam:2\"");
    XMLEscape::appendField(*xml, " queryid=\"", queryId_, "\"");
    xml->Append("><x xmlns=\"jabber:x:data\" type=\"submit\"><field var=\"FORM_TYPE\" type=\"hidden\">"
                "<value>urn:xmpp:mam:2</value></field>");
    if (after_ == nullptr) {
        XMLEscape::appendField(*xml, "<field var=\"start\"><value>", start_, "</value></field>");
    }
    xml->Append("</x><set xmlns=\"http://jabber.org/protocol/rsm\"><max>");
    xml->Append(max_);
    xml->Append("</max>");
    XMLEscape::appendField(*xml, "<after>", after_, "</after>");
    xml->Append("</set></query>");
    return xml;
}

IMString* ArchiveQuery::getQueryId() { return queryId_; }

void ArchiveQuery::setQueryId(IMString* queryId) { OwnedField::replace(queryId_, queryId); }

void ArchiveQuery::setAfter(IMString* after) { OwnedField::replace(after_, after); }

void ArchiveQuery::setStart(IMString* start) { OwnedField::replace(start_, start); }

void ArchiveQuery::setMax(int max) { max_ = max; }
