// The one implementation of Contact. A new contact has empty texts, no flags set, presence
// "never seen" (-2) and device type 0. Threading and ownership: as Contact.
#pragma once

#include "store/Contact.h"

class ContactImpl : public Contact {
public:
    ContactImpl();
    ~ContactImpl() override;

    void SetContactId(const IMString& id) override;
    void SetUserName(const IMString& name) override;
    void SetNickName(const IMString& name) override;
    void SetIsBlocked(bool blocked) override;
    void SetOnBuddyList(bool onBuddyList) override;
    void SetIsInvisible(bool invisible) override;
    void SetGroupName(const IMString& group) override;
    void SetPresenceType(int presence) override;
    void SetIsBusy(bool busy) override;
    void SetCustomMessage(const IMString& message) override;
    void SetDeviceType(int deviceType) override;
    int GetPresenceType() const override;
    bool GetIsBusy() const override;
    const IMString& GetCustomMessage() const override;
    int GetDeviceType() const override;
    const IMString& GetContactId() const override;
    const IMString& GetUserName() const override;
    const IMString& GetNickName() const override;
    bool GetIsBlocked() const override;
    bool GetIsInvisible() const override;
    bool GetOnBuddyList() const override;
    const IMString& GetGroupName() const override;
    void removeGroupId() override;
    bool GetIsDeleted() const override;
    void SetIsDeleted(bool deleted) override;
    void SetIsHavingAvatar(bool hasAvatar) override;
    bool IsHavingAvatar() const override;
    Contact* Copy() const override;

    void SetDirty(bool dirty);
    bool IsDirty() const;

private:
    IMString userName_;
    IMString contactId_;
    IMString nickName_;
    IMString groupName_;
    IMString customMessage_;
    int isBlocked_ = 0;
    int isInvisible_ = 0;
    int onBuddyList_ = 0;
    int isBusy_ = 0;
    int isDeleted_ = 0;
    int presenceType_ = PRESENCE_NEVER_SEEN;
    int deviceType_ = 0;
    bool dirty_ = false;
    bool hasAvatar_ = false;
};
