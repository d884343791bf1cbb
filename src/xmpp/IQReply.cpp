#include "xmpp/IQReply.h"

#include "xmpp/TextCopy.h"

IQReply::IQReply(IQ& request, Type type, const char* payload)
    : payload_(payload != nullptr ? new IMString(payload) : nullptr)
{
    setType(type);
    setPacketID(TextCopy::of(request.getPacketID()));
    setTo(TextCopy::of(request.getFrom()));
    setFrom(TextCopy::of(request.getTo()));
}

IQReply::~IQReply() { delete payload_; }

IMString* IQReply::getDerivedXML() { return TextCopy::of(payload_); }
