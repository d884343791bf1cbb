// The group store as the protocol engine sees it. Results are owned by the caller.
// Threading: implementations are safe from the request and the response thread.
#pragma once

#include "foundation/IMString.h"
#include "platform/ArrayList.h"
#include "store/Group.h"

class GroupDAO {
public:
    virtual ~GroupDAO() = default;

    virtual Group* CreateGroup() = 0;
    virtual void SaveOrUpdate(Group* group) = 0;
    virtual Group* FindByGroupId(const IMString& id) = 0;
    virtual bool DeleteGroup(Group* group) = 0;
    virtual Ixa::Base::Collection::ArrayList* GetAllGroups() = 0;
};
