// One roster group as the group store keeps it: id (the key), name shown, whether it has
// contacts, and whether the buddy list shows it expanded. Threading and ownership: a record
// value owned by whoever created it (store results belong to the caller); no locking.
#pragma once

#include "foundation/IMString.h"
#include "platform/Object.h"

class Group : public Ixa::Base::Object {
public:
    ~Group() override = default;

    virtual void SetGroupId(const IMString& id) = 0;
    virtual const IMString& GetGroupId() const = 0;
    virtual void SetGroupName(const IMString& name) = 0;
    virtual const IMString& GetGroupName() const = 0;
    virtual void SetHasContacts(bool hasContacts) = 0;
    virtual bool GetHasContacts() const = 0;
    virtual void SetIsExpanded(bool expanded) = 0;
    virtual bool GetIsExpanded() const = 0;
};
