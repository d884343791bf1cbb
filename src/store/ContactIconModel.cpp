#include "store/ContactIconModel.h"

#include "store/ContactIconImpl.h"

const char* const ContactIconModel::modelName = "ContactIconModel";

ContactIconModel::ContactIconModel() = default;

ContactIconModel::~ContactIconModel() = default;

IMString ContactIconModel::getModelName() const { return IMString(modelName); }

ContactIcon* ContactIconModel::CreateContactIcon() { return new ContactIconImpl(); }

bool ContactIconModel::SaveOrUpdate(ContactIcon* icon)
{
    return Locked(false, [&](ContactIconDatabase& icons) { return icons.SaveOrUpdate(icon); });
}

ContactIcon* ContactIconModel::GetImage(const IMString& contactId)
{
    return Locked<ContactIcon*>(nullptr, [&](ContactIconDatabase& icons) { return icons.GetImage(contactId); });
}

bool ContactIconModel::deleteContactIcon(ContactIcon* icon)
{
    return Locked(false, [&](ContactIconDatabase& icons) { return icons.deleteContactIcon(icon); });
}

bool ContactIconModel::DeleteDatabase()
{
    return Locked(false, [](ContactIconDatabase& icons) { return icons.DeleteDatabase(); });
}
