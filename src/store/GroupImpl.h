// The one implementation of Group: a new group has empty id and name, no contacts, and is
// expanded. Threading and ownership: as Group.
#pragma once

#include "store/Group.h"

class GroupImpl : public Group {
public:
    GroupImpl();
    ~GroupImpl() override;

    void SetGroupId(const IMString& id) override;
    const IMString& GetGroupId() const override;
    void SetGroupName(const IMString& name) override;
    const IMString& GetGroupName() const override;
    void SetHasContacts(bool hasContacts) override;
    bool GetHasContacts() const override;
    void SetIsExpanded(bool expanded) override;
    bool GetIsExpanded() const override;

private:
    IMString groupId_;
    IMString groupName_;
    bool hasContacts_ = false;
    bool isExpanded_ = true;
};
