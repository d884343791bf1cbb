#include "screens/ContactItem.h"

ContactItem::ContactItem(int groupIndex, int itemIndex, Contact* contact)
    : groupIndex_(groupIndex)
    , itemIndex_(itemIndex)
    , contact_(contact)
{
}

ContactItem::~ContactItem() = default;

int ContactItem::GetGroupIndex() const { return groupIndex_; }

int ContactItem::GetItemIndex() const { return itemIndex_; }

Contact* ContactItem::GetItem() const { return contact_.get(); }

void ContactItem::SetItem(Contact* contact) { contact_.reset(contact); }
