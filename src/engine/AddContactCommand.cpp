#include "engine/AddContactCommand.h"

#include "engine/EngineAccess.h"
#include "xmpp/RosterManager.h"

AddContactCommand::AddContactCommand() = default;

AddContactCommand::~AddContactCommand() = default;

void AddContactCommand::setContactUsername(IMString* user) { setUsername(user); }

IMString* AddContactCommand::getContactUsername() { return getUsername(); }

void AddContactCommand::setContactNickName(IMString* nickName) { nickName_ = nickName != nullptr ? *nickName : IMString(); }

const IMString& AddContactCommand::getContactNickName() const { return nickName_; }

void AddContactCommand::setMessage(IMString* text) { message_ = text != nullptr ? *text : IMString(); }

const IMString& AddContactCommand::getMessage() const { return message_; }

void AddContactCommand::setGroupName(const IMString& group) { groupName_ = group; }

const IMString& AddContactCommand::getGroupName() const { return groupName_; }

void AddContactCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    RosterManager* roster = EngineAccess::rosterManager(getRequestController());
    if (!completeUsername() || roster == nullptr) {
        return;
    }
    if (!groupName_.IsEmpty()) {
        roster->fileContact(getUsername(), groupName_);
    }
    roster->addContact(getUsername());
}
