// Removes a contact: a roster set removing the completed contact id; the stored contact is
// only marked deleted (the server's roster push and the store's sweep of marked contacts
// remove it) and its stored avatar is deleted, whether or not the server answers.
// The contact's id is copied when the request is made, on the caller's thread: the screens'
// contact objects may be gone by the time the request thread runs, and nothing else of the
// contact is needed.
// Created on the caller's thread, run and deleted on the request thread; the contact stays
// with the caller.
#pragma once

#include "engine/UserCommand.h"

class Contact;

class DeleteContactCommand : public UserCommand {
public:
    DeleteContactCommand();
    ~DeleteContactCommand() override;

    void setContact(Contact* contact);

    void executeCommand(unsigned long* result) override;

private:
    void markDeleted(const IMString& id);
    void forgetAvatar(const IMString& id);
};
