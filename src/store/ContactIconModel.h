// The process-wide avatar store ("ContactIconModel"). Results are new records the caller
// owns; nothing is cached or notified here. Operations answer null or false while the lock
// is missing.
// Threading: safe from any thread; the model's lock serialises every table call.
// Ownership: see StoreModel.
#pragma once

#include "store/ContactIconDAO.h"
#include "store/ContactIconDatabase.h"
#include "store/StoreModel.h"

class ContactIconModel : public StoreModel<ContactIconModel, ContactIconDatabase>, public ContactIconDAO {
public:
    static const char* const modelName;

    ~ContactIconModel() override;

    IMString getModelName() const override;

    // A new empty record.
    ContactIcon* CreateContactIcon() override;
    bool SaveOrUpdate(ContactIcon* icon) override;
    // The contact's record; null when no picture is stored.
    ContactIcon* GetImage(const IMString& contactId) override;
    bool deleteContactIcon(ContactIcon* icon) override;
    // Empties the table; the file stays.
    virtual bool DeleteDatabase();

private:
    friend class StoreModel<ContactIconModel, ContactIconDatabase>;
    ContactIconModel();
};
