// One contact of the roster: id, nick name, subscription and pending request, and the
// service's contact kind ("gr:t": normal, blocked, hidden; a new item is normal), plus the
// counters and flags the contact list keeps with it, and the roster groups the item is filed
// under, in the order the server listed them. The id, nick name and groups are escaped when
// written; an item never writes "ask".
// Ownership: the item owns its id and nick name (setters take the string and delete the
// previous one). Thread-safety: none.
#pragma once

#include "xmpp/SubPacket.h"

#include <cstdint>
#include <vector>

class RosterItem : public SubPacket {
public:
    enum class Status : std::uint8_t { NONE = 0, SUBSCRIBE = 1, UNSUBSCRIBE = 2 };
    enum class Type : std::uint8_t { NOT_GIVEN = 0, NONE = 1, TO = 2, FROM = 3, BOTH = 4, REMOVE = 5 };
    enum class Description : std::uint8_t { NONE = 0, NORMAL = 1, BLOCKED = 2, HIDDEN = 3 };

    RosterItem();
    ~RosterItem() override;

    RosterItem(const RosterItem&) = delete;
    RosterItem& operator=(const RosterItem&) = delete;

    IMString* getXML() override;

    IMString* getUserJID();
    void setUserJID(IMString* jid);
    IMString* getNickName();
    void setNickName(IMString* name);
    Status getItemStatus() const;
    void setItemStatus(Status status);
    Type getItemType() const;
    void setItemType(Type type);
    Description getDescription() const;
    void setDescription(Description description);
    bool isRejected() const;
    void setRejected(bool rejected);
    bool isAutoSubscribed() const;
    void setAutoSubscribed(bool autoSubscribed);
    int getEmailCount() const;
    void setEmailCount(int count);
    int getMessageCount() const;
    void setMessageCount(int count);
    const std::vector<IMString>& getGroups() const;
    void addGroup(const IMString& group);

    // Exact matches; a text that matches no row (or null) gives the 0 value of its kind.
    static Description getRosterItemDescription(IMString* text);
    static Type getRosterItemType(IMString* text);
    static Status getRosterItemStatus(IMString* text);
    static IMString getRosterItemDescriptionString(Description description);
    static IMString getRosterItemTypeString(Type type);
    static IMString getRosterItemStatusString(Status status);

private:
    IMString* userJID_ = nullptr;
    IMString* nickName_ = nullptr;
    Status itemStatus_ = Status::NONE;
    Type itemType_ = Type::NOT_GIVEN;
    int emailCount_ = 0;
    int messageCount_ = 0;
    bool rejected_ = false;
    bool autoSubscribed_ = false;
    Description description_ = Description::NORMAL;
    std::vector<IMString> groups_;
};
