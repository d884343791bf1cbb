// Renames a contact on the server: a roster set of one item, for the completed contact id,
// with the new name. The rename comes back with the server's roster push.
// Both strings are copied when the request is made, so the caller may free its own at once.
// Created on the caller's thread, run and deleted on the request thread; owns its copies and
// frees them when it has run.
#pragma once

#include "engine/UserCommand.h"

class RenameContactCommand : public UserCommand {
public:
    RenameContactCommand();
    ~RenameContactCommand() override;

    void setContactId(IMString* id);
    IMString* getContactId();
    void setNewName(IMString* name);
    IMString* getNewName();

    void executeCommand(unsigned long* result) override;

private:
    IMString* newName_ = nullptr;
};
