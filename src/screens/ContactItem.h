// One contact row of the buddy list: the header it belongs to (group index), its position
// under that header (item index) and the contact it shows.
// Threading: user-interface thread. Ownership: the item owns its contact.
#pragma once

#include "store/Contact.h"

#include "platform/Object.h"

#include <memory>

class ContactItem : public Ixa::Base::Object {
public:
    ContactItem(int groupIndex, int itemIndex, Contact* contact);
    ~ContactItem() override;

    int GetGroupIndex() const;
    int GetItemIndex() const;
    Contact* GetItem() const;
    // Takes `contact`, deleting the one shown before.
    void SetItem(Contact* contact);

private:
    int groupIndex_;
    int itemIndex_;
    std::unique_ptr<Contact> contact_;
};
