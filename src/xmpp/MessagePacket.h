// A message stanza. The body is stored either as given or as an escaped copy (the chat
// manager escapes what the user typed; the reader stores what the tokenizer delivered,
// which is already unescaped). Subject and thread are escaped when written.
// A received message also keeps the stanza ids (XEP-0359) it carries, each with the address
// that gave it: only the one given by the user's own server names the message in the user's
// archive, and a sender can put any stanza id into a message.
// Ownership: as Packet; the message owns its subject, body, thread and language.
// Thread-safety: as Packet.
#pragma once

#include "xmpp/Packet.h"

#include <cstdint>
#include <utility>
#include <vector>

class MessagePacket : public Packet {
public:
    // UNKNOWN is what an unrecognised type text reads as; it is written as an empty text.
    enum class Type : std::uint8_t {
        DEFAULT = 0,
        CHAT = 1,
        GROUP_CHAT = 2,
        HEADLINE = 3,
        NORMAL = 4,
        ERROR = 5,
        UNKNOWN = 6
    };

    MessagePacket();
    ~MessagePacket() override;

    IMString* getXML() override;

    IMString* getSubject();
    void setSubject(IMString* subject);
    IMString* getBody();
    // Without `escape` the message takes `body` itself; with it, the message stores a new
    // escaped copy and the caller keeps `body`.
    void setBody(IMString* body, bool escape);
    IMString* getThread();
    void setThread(IMString* thread);
    IMString* getXmlLang();
    void setXmlLang(IMString* xmlLang);
    bool isNoSaveStatus() const;
    void setNoSaveStatus(bool noSave);
    void addStanzaId(const IMString& by, const IMString& id);
    // The stanza id given by `by` (compared without case), or null; lent.
    const IMString* getStanzaIdBy(const IMString& by) const;
    Type getMessageType() const;
    void setMessageType(Type type);
    Type getMessagePacketType() const;
    void setMessagePacketType(Type type);

    static Type getMessagePacketType(IMString* text);
    static IMString getMessagePacketTypeString(Type type);

private:
    IMString* subject_ = nullptr;
    IMString* body_ = nullptr;
    IMString* thread_ = nullptr;
    IMString* xmlLang_ = nullptr;
    std::vector<std::pair<IMString, IMString>> stanzaIds_;
    bool noSave_ = false;
    Type type_ = Type::NORMAL;
};
