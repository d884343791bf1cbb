#include "store/GroupImpl.h"

GroupImpl::GroupImpl() = default;

GroupImpl::~GroupImpl() = default;

void GroupImpl::SetGroupId(const IMString& id) { groupId_ = id; }

const IMString& GroupImpl::GetGroupId() const { return groupId_; }

void GroupImpl::SetGroupName(const IMString& name) { groupName_ = name; }

const IMString& GroupImpl::GetGroupName() const { return groupName_; }

void GroupImpl::SetHasContacts(bool hasContacts) { hasContacts_ = hasContacts; }

bool GroupImpl::GetHasContacts() const { return hasContacts_; }

void GroupImpl::SetIsExpanded(bool expanded) { isExpanded_ = expanded; }

bool GroupImpl::GetIsExpanded() const { return isExpanded_; }
