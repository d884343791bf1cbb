// The requests made once the first roster after a sign-in has been merged: the connection's
// init (shared status, off-the-record settings, user settings) and the user's own vCard,
// requested for the user's own bare id (Connection::getEmailID).
// Queued by the roster handler on the response thread; run and deleted on the request thread.
#pragma once

#include "engine/BaseCommand.h"

class GetPresenceCommand : public BaseCommand {
public:
    GetPresenceCommand();
    ~GetPresenceCommand() override;

    void executeCommand(unsigned long* result) override;
};
