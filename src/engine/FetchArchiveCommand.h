// Fetches from the server's archive what the user missed while no session of this client was
// signed in: the messages archived after the last archive id the message store holds, or,
// when it holds none, those from the time of the last received message on. A store with
// neither (a new account, or one whose messages were all deleted) has nothing to catch up
// from, and nothing is asked. One command asks for one page; the page's end (ArchiveEndHandler)
// queues the command for the next.
// Threading: created on any thread, run and deleted on the request thread (the store is safe
// from it). Ownership: borrows the controller; the archive manager belongs to the connection.
#pragma once

#include "engine/BaseCommand.h"
#include "foundation/IMString.h"

class RequestController;

class FetchArchiveCommand : public BaseCommand {
public:
    FetchArchiveCommand();
    ~FetchArchiveCommand() override;

    // Queues the catch-up from where the message store left off; for a session signed in
    // afresh (not one resumed, which gets what it missed from the server again).
    static void queue(RequestController* controller);
    // Queues the page after the archive id `last`.
    static void queueNextPage(RequestController* controller, const IMString& last);

    void executeCommand(unsigned long* result) override;

private:
    static void queueCommand(RequestController* controller, FetchArchiveCommand* command);

    // Set for a next page; empty for the catch-up's first.
    IMString after_;
};
