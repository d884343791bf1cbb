// The avatar store as the protocol engine sees it. Results are owned by the caller.
// Threading: implementations are safe from the request and the response thread.
// Not deletable through this interface: the model owns its own lifetime.
#pragma once

#include "foundation/IMString.h"
#include "store/ContactIcon.h"

class ContactIconDAO {
public:
    virtual bool SaveOrUpdate(ContactIcon* icon) = 0;
    virtual ContactIcon* GetImage(const IMString& contactId) = 0;
    virtual ContactIcon* CreateContactIcon() = 0;
    virtual bool deleteContactIcon(ContactIcon* icon) = 0;

protected:
    ~ContactIconDAO() = default;
};
