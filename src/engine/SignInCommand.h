// Signs the user in: starts the connection's login with the account's user name and
// password. The outcome arrives as the "signin" notification; the initial presence is not
// sent here.
// The account is copied when the request is made, on the caller's thread: the caller may set
// a new user name or password while the request thread is logging in, and the connection
// cuts the user name it is given down to its local part.
// Created on the caller's thread, run and deleted on the request thread; the presence is
// borrowed.
#pragma once

#include "engine/BaseCommand.h"
#include "engine/PresenceStatus.h"
#include "foundation/IMString.h"

class Connection;

class SignInCommand : public BaseCommand {
public:
    SignInCommand();
    ~SignInCommand() override;

    void setInitialPresence(PresenceStatus* presence);
    PresenceStatus* getInitialPresence();
    // Copies of the strings; null counts as empty.
    void setAccount(const IMString* user, const IMString* password);
    // A try of the reconnector keeps the stream session of the lost connection, to resume it;
    // a sign-in the user asked for starts from the session stored for the account, if any.
    void setReconnecting(bool reconnecting);

    void executeCommand(unsigned long* result) override;

private:
    void prepareStreamSession(Connection& connection);

    PresenceStatus* initialPresence_ = nullptr;
    bool reconnecting_ = false;
    IMString user_;
    IMString password_;
};
