// The root of every stanza the client writes or reads. A packet serialises itself with
// getXML(); the readers fill incoming ones field by field.
//
// Packet ids are the process-wide prefix (five characters, made on first use) followed by a
// counter; both are guarded, since the request, response, reader and connection threads all
// build packets.
//
// Ownership: a packet owns every string and object handed to its setters (the previous value
// is deleted) and its sub-packets; getters lend. User and server text (ids, addresses) is
// escaped when written. Thread-safety: a packet is used by one thread at a time; the id
// functions are safe from any thread.
#pragma once

#include "foundation/IMString.h"
#include "foundation/IMVector.h"
#include "xmpp/OwnedField.h"
#include "xmpp/SubPacket.h"
#include "xmpp/XMPPError.h"

class Packet : public Ixa::Base::Object {
public:
    Packet();
    ~Packet() override;

    Packet(const Packet&) = delete;
    Packet& operator=(const Packet&) = delete;

    // A new string holding the whole stanza, owned by the caller; null when there is nothing
    // to send.
    virtual IMString* getXML() = 0;
    // Whether the packet is a stanza (message, presence, iq), which stream management counts
    // and keeps until the server acknowledges it; stream headers, authentication and the
    // acknowledgements themselves are not.
    virtual bool isStanza() const { return true; }

    IMString* getFrom();
    void setFrom(IMString* from);
    IMString* getTo();
    void setTo(IMString* to);
    void setPacketID(IMString* id);
    // The packet's id, assigned from getNextID() on first use.
    IMString* getPacketID();
    // Whether an id was set or assigned, without assigning one.
    bool hasPacketID() const;
    IMString* getXmlns();
    void setXmlns(IMString* xmlns);
    XMPPError* getError();
    void setError(XMPPError* error);
    // The sub-packets (SubPacket*) in the order added; null after clean().
    IMVector* getSubPackets();
    void addSubPacket(SubPacket* subPacket);
    // The concatenated getXML() of every sub-packet, as a new string.
    IMString* getSubPacketsXML();
    // Deletes every sub-packet and the list.
    void clean();

    // A new id string, owned by the caller: the prefix and the next counter value.
    static IMString* getNextID();
    // Forgets the prefix (at shutdown); the next id makes a new one.
    static void releaseIDPrefix();

protected:
    // The optional attributes of messages and presences, in their written order.
    void appendStanzaAttributes(IMString& xml, IMString* xmlLang);
    void appendSubPacketsXML(IMString& xml);

private:
    IMVector* subPackets_;
    IMString* id_ = nullptr;
    IMString* to_ = nullptr;
    IMString* from_ = nullptr;
    IMString* xmlns_ = nullptr;
    XMPPError* error_ = nullptr;
};
