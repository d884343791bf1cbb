// A presence stanza: type, "show" status, status message, priority and, when read, the
// contact's avatar hash: null when the presence says nothing about the avatar, empty when it
// says there is none. The status message is written as stored: the presence manager
// keeps it escaped already. A priority of INT_MIN leaves the priority element out.
// Ownership: as Packet; the presence owns its status message, language and avatar hash.
// Thread-safety: as Packet.
#pragma once

#include "xmpp/Packet.h"

#include <cstdint>

class Presence : public Packet {
public:
    // UNKNOWN is what an unrecognised type text reads as; it is written as an empty text.
    enum class Type : std::uint8_t {
        NONE = 0,
        AVAILABLE = 1,
        UNAVAILABLE = 2,
        SUBSCRIBE = 3,
        SUBSCRIBED = 4,
        UNSUBSCRIBE = 5,
        UNSUBSCRIBED = 6,
        PROBE = 7,
        ERROR = 8,
        UNKNOWN = 9
    };
    enum class Status : std::uint8_t { NONE = 0, AVAILABLE = 1, AWAY = 2, CHAT = 3, DND = 4, XA = 5, UNKNOWN = 6 };

    Presence();
    ~Presence() override;

    IMString* getXML() override;

    Type getPresenceType() const;
    void setPresenceType(Type type);
    Status getPresenceStatus() const;
    void setPresenceStatus(Status status);
    IMString* getStatusMessage();
    void setStatusMessage(IMString* message);
    int getPriority() const;
    void setPrioriy(int priority);
    IMString* getXmlLang();
    void setXmlLang(IMString* xmlLang);
    IMString* getAvatarHash();
    void setAvatarHash(IMString* hash);

    static Type getPresenceType(IMString* text);
    static Status getPresenceStatus(IMString* text);
    static IMString getPresenceTypeString(Type type);
    static IMString getPresenceStatusString(Status status);

private:
    Type type_ = Type::NONE;
    Status status_ = Status::NONE;
    IMString* statusMessage_ = nullptr;
    int priority_ = 0;
    IMString* xmlLang_ = nullptr;
    IMString* avatarHash_ = nullptr;
};
