#include "store/ContactImpl.h"

ContactImpl::ContactImpl() = default;

ContactImpl::~ContactImpl() = default;

void ContactImpl::SetContactId(const IMString& id) { contactId_ = id; }

void ContactImpl::SetUserName(const IMString& name) { userName_ = name; }

void ContactImpl::SetNickName(const IMString& name) { nickName_ = name; }

void ContactImpl::SetIsBlocked(bool blocked) { isBlocked_ = blocked ? 1 : 0; }

void ContactImpl::SetOnBuddyList(bool onBuddyList) { onBuddyList_ = onBuddyList ? 1 : 0; }

void ContactImpl::SetIsInvisible(bool invisible) { isInvisible_ = invisible ? 1 : 0; }

void ContactImpl::SetGroupName(const IMString& group) { groupName_ = group; }

void ContactImpl::SetPresenceType(int presence) { presenceType_ = presence; }

void ContactImpl::SetIsBusy(bool busy) { isBusy_ = busy ? 1 : 0; }

void ContactImpl::SetCustomMessage(const IMString& message) { customMessage_ = message; }

void ContactImpl::SetDeviceType(int deviceType) { deviceType_ = deviceType; }

int ContactImpl::GetPresenceType() const { return presenceType_; }

bool ContactImpl::GetIsBusy() const { return isBusy_ == 1; }

const IMString& ContactImpl::GetCustomMessage() const { return customMessage_; }

int ContactImpl::GetDeviceType() const { return deviceType_; }

const IMString& ContactImpl::GetContactId() const { return contactId_; }

const IMString& ContactImpl::GetUserName() const { return userName_; }

const IMString& ContactImpl::GetNickName() const { return nickName_; }

bool ContactImpl::GetIsBlocked() const { return isBlocked_ == 1; }

bool ContactImpl::GetIsInvisible() const { return isInvisible_ == 1; }

bool ContactImpl::GetOnBuddyList() const { return onBuddyList_ == 1; }

const IMString& ContactImpl::GetGroupName() const { return groupName_; }

void ContactImpl::removeGroupId() {}

bool ContactImpl::GetIsDeleted() const { return isDeleted_ == 1; }

void ContactImpl::SetIsDeleted(bool deleted) { isDeleted_ = deleted ? 1 : 0; }

void ContactImpl::SetIsHavingAvatar(bool hasAvatar) { hasAvatar_ = hasAvatar; }

Contact* ContactImpl::Copy() const { return new ContactImpl(*this); }

bool ContactImpl::IsHavingAvatar() const { return hasAvatar_; }

void ContactImpl::SetDirty(bool dirty) { dirty_ = dirty; }

bool ContactImpl::IsDirty() const { return dirty_; }
