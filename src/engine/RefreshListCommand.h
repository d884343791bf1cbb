// Asks the server for the roster (the answer comes back as "buddylist"), marking the contact
// store as refreshing its list; or, as a pending-list refresh, only reports all presence
// received to the command's own response delegate.
// It has no notification side: nothing ever posts it as one, so it is a command only.
// Created on the caller's thread, run and deleted on the request thread.
#pragma once

#include "engine/BaseCommand.h"

class RefreshListCommand : public BaseCommand {
public:
    RefreshListCommand();
    ~RefreshListCommand() override;

    void SetPendingRefresh(bool pending);
    bool GetPendingRefresh() const;

    void executeCommand(unsigned long* result) override;

private:
    bool pendingRefresh_ = false;
};
