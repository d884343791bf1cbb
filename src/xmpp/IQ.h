// An iq stanza: the attributes id (assigned when missing), to, from and type around the
// payload that each derived class writes with getDerivedXML(). Ownership and threading as
// Packet.
#pragma once

#include "xmpp/Packet.h"

#include <cstdint>

class IQ : public Packet {
public:
    // UNKNOWN is what an unrecognised type text reads as; it is written as an empty text.
    enum class Type : std::uint8_t { NONE = 0, GET = 1, SET = 2, RESULT = 3, ERROR = 4, UNKNOWN = 5 };

    IQ();
    ~IQ() override;

    IMString* getXML() override;
    // The payload as a new string, or null for none.
    virtual IMString* getDerivedXML() = 0;

    Type getType() const;
    void setType(Type type);

    // Exact match; null gives ERROR, an unknown text UNKNOWN.
    static Type getIQType(IMString* text);
    static IMString getIQTypeString(Type type);

private:
    Type type_ = Type::NONE;
};
