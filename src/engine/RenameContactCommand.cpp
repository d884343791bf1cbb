#include "engine/RenameContactCommand.h"

#include "engine/EngineAccess.h"
#include "xmpp/RosterManager.h"

RenameContactCommand::RenameContactCommand() = default;

RenameContactCommand::~RenameContactCommand() { delete newName_; }

void RenameContactCommand::setContactId(IMString* id) { setUsername(id); }

IMString* RenameContactCommand::getContactId() { return getUsername(); }

void RenameContactCommand::setNewName(IMString* name)
{
    delete newName_;
    newName_ = name != nullptr ? new IMString(*name) : nullptr;
}

IMString* RenameContactCommand::getNewName() { return newName_; }

void RenameContactCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    RosterManager* roster = EngineAccess::rosterManager(getRequestController());
    if (completeUsername() && roster != nullptr) {
        roster->renameContact(getContactId(), newName_,
            EngineAccess::storedEntry(getRequestController(), *getContactId()).group);
    }
    adoptUsername(nullptr);
    setNewName(nullptr);
}
