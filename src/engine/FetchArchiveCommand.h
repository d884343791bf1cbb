// Fetches from the server's archive what the user missed while no session of this client was
// signed in: the messages archived after the last archive id the message store holds, or,
// when it holds none, those from the time of the last received message on. A store with
// neither (a new account, or one whose messages were all deleted) has nothing to catch up
// from, and nothing is asked. One command asks for one page; the page's end (ArchiveEndHandler)
// queues the command for the next.
//
// Where the store left off is read when the command is queued, on the response thread, in
// the sign-in's turn: no message of the new session has been handled yet, so one arriving
// before the query goes out cannot move the starting point past what was missed.
// Threading: queued on the response thread, run and deleted on the request thread.
// Ownership: borrows the controller; the archive manager belongs to the connection.
#pragma once

#include "engine/BaseCommand.h"
#include "foundation/IMString.h"

class MessageDAO;
class RequestController;

class FetchArchiveCommand : public BaseCommand {
public:
    FetchArchiveCommand();
    ~FetchArchiveCommand() override;

    // Queues the catch-up from where the message store left off; for a session signed in
    // afresh (not one resumed, which gets what it missed from the server again).
    static void queue(RequestController* controller);
    // Queues the catch-up from `since` on, the time its gap began (the server refused to page
    // after an archive id, one it no longer keeps, say).
    static void queueByTime(RequestController* controller, const IMString& since);
    // Asks for what the archive has that is new, unless a catch-up is still under way. With
    // no message stored to go on from, it asks for the last POLL_WINDOW_MINUTES: a message
    // older than that came while the user was visible, and the window leaves room for the
    // server's clock to differ from this one.
    static void poll(RequestController* controller);
    static constexpr long long POLL_WINDOW_MINUTES = 60;
    // Queues the page after the archive id `last`.
    static void queueNextPage(RequestController* controller, const IMString& last);
    // After a resumed session: a catch-up that has not ended asks again from where it started
    // (what it fetched already is not stored twice).
    static void resumeCatchUp(RequestController* controller);

    void executeCommand(unsigned long* result) override;

private:
    // The catch-up's first page: after `after` when it is not empty, else from `gapBegan` on;
    // null when there is neither to start from. Results are filed no earlier than `gapBegan`.
    static FetchArchiveCommand* startingAt(const IMString& after, const IMString& gapBegan);
    // The time of the newest received message the store holds; empty when it holds none.
    static IMString lastReceived(MessageDAO& messages);
    // POLL_WINDOW_MINUTES ago, as the archive takes a time.
    static IMString pollWindowStart();
    // Takes `command` (null: nothing to queue).
    static void queueCommand(RequestController* controller, FetchArchiveCommand* command);

    // The archive id the page starts after; when empty, the time it starts at.
    IMString after_;
    IMString start_;
    // The time of the newest message received before the catch-up; empty on a next page.
    IMString notBefore_;
};
