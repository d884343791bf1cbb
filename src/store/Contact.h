// One contact of the user's roster as the stores keep it: ids and names, group, presence,
// flags and whether an avatar is stored. Presence codes are those of PresenceStatus:
// available 0, busy 2, away 999 (online), offline -1, never seen -2.
// String getters answer the stored value; setters copy. Threading and ownership: a record
// value owned by whoever created it (store results belong to the caller); no locking.
#pragma once

#include "foundation/IMString.h"
#include "platform/Object.h"

class Contact : public Ixa::Base::Object {
public:
    static constexpr int PRESENCE_NEVER_SEEN = -2;
    static constexpr int PRESENCE_OFFLINE = -1;
    static constexpr int PRESENCE_AVAILABLE = 0;
    static constexpr int PRESENCE_BUSY = 2;
    static constexpr int PRESENCE_AWAY = 999;

    ~Contact() override = default;

    virtual void SetContactId(const IMString& id) = 0;
    virtual void SetUserName(const IMString& name) = 0;
    virtual void SetNickName(const IMString& name) = 0;
    virtual void SetIsBlocked(bool blocked) = 0;
    virtual void SetOnBuddyList(bool onBuddyList) = 0;
    virtual void SetIsInvisible(bool invisible) = 0;
    virtual void SetGroupName(const IMString& group) = 0;
    virtual void SetPresenceType(int presence) = 0;
    virtual void SetIsBusy(bool busy) = 0;
    virtual void SetCustomMessage(const IMString& message) = 0;
    virtual void SetDeviceType(int deviceType) = 0;
    virtual int GetPresenceType() const = 0;
    virtual bool GetIsBusy() const = 0;
    virtual const IMString& GetCustomMessage() const = 0;
    virtual int GetDeviceType() const = 0;
    virtual const IMString& GetContactId() const = 0;
    virtual const IMString& GetUserName() const = 0;
    virtual const IMString& GetNickName() const = 0;
    virtual bool GetIsBlocked() const = 0;
    virtual bool GetIsInvisible() const = 0;
    virtual bool GetOnBuddyList() const = 0;
    virtual const IMString& GetGroupName() const = 0;
    virtual void removeGroupId() = 0;
    virtual bool GetIsDeleted() const = 0;
    virtual void SetIsDeleted(bool deleted) = 0;
    virtual void SetIsHavingAvatar(bool hasAvatar) = 0;
    virtual bool IsHavingAvatar() const = 0;
    // A new contact with the same values, owned by the caller.
    virtual Contact* Copy() const = 0;
};
