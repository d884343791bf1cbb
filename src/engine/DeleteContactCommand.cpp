#include "engine/DeleteContactCommand.h"

#include "engine/EngineAccess.h"
#include "engine/RequestController.h"
#include "store/ContactDAO.h"
#include "store/ContactIconDAO.h"
#include "xmpp/RosterManager.h"

#include <memory>

DeleteContactCommand::DeleteContactCommand() = default;

DeleteContactCommand::~DeleteContactCommand() = default;

void DeleteContactCommand::setContact(Contact* contact)
{
    if (contact != nullptr) {
        IMString id(contact->GetContactId());
        setUsername(&id);
    }
}

void DeleteContactCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    verifyConnectionState();
    if (!completeUsername() || EngineAccess::connection(getRequestController()) == nullptr) {
        return;
    }
    if (RosterManager* roster = EngineAccess::rosterManager(getRequestController())) {
        roster->deleteContact(getUsername());
    }
    markDeleted(*getUsername());
    forgetAvatar(*getUsername());
}

void DeleteContactCommand::markDeleted(const IMString& id)
{
    ContactDAO* contacts = getRequestController()->GetContactDAO();
    std::unique_ptr<Contact> stored(contacts != nullptr ? contacts->GetContactById(id) : nullptr);
    if (stored != nullptr) {
        stored->SetIsDeleted(true);
        contacts->SaveOrUpdate(stored.get());
    }
}

void DeleteContactCommand::forgetAvatar(const IMString& id)
{
    ContactIconDAO* icons = getRequestController()->GetContactIconDAO();
    std::unique_ptr<ContactIcon> avatar(icons != nullptr ? icons->GetImage(id) : nullptr);
    if (avatar != nullptr) {
        icons->deleteContactIcon(avatar.get());
    }
}
