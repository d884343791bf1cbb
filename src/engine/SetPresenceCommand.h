// Changes the user's own status through the service's shared status: available (0) and busy
// (2) with the status message, invisible for offline (-1) and never seen (-2); the away codes
// send nothing. The outcome reaches the user when the service echoes the shared status
// ("sharedstatus").
// restore() puts a status the user chose back in place on a fresh session without sending it.
// Created on the caller's thread, run and deleted on the request thread; owns the status.
#pragma once

#include "engine/BaseCommand.h"
#include "engine/PresenceStatus.h"

class PresenceManager;

class SetPresenceCommand : public BaseCommand {
public:
    SetPresenceCommand();
    ~SetPresenceCommand() override;

    SetPresenceCommand(const SetPresenceCommand&) = delete;
    SetPresenceCommand& operator=(const SetPresenceCommand&) = delete;

    // Takes `status`.
    void setPresenceStatus(PresenceStatus* status);
    PresenceStatus* getPresenceStatus();

    void executeCommand(unsigned long* result) override;

    // Any thread: the manager guards itself.
    static void restore(PresenceManager& presence, const PresenceStatus& status);

private:
    // The manager's kind of status for one the user chose; false for the away codes.
    static bool kindOf(const PresenceStatus& status, int& kind, bool& invisible);

    PresenceStatus* status_ = nullptr;
};
