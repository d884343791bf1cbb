// The received chat messages of one stretch of the response queue, stored in one transaction
// of the message store, their notifications held back until it has committed: a burst costs
// one commit per batch instead of one per message, and nothing reaches the screens that a
// crash could still take from the store.
//
// The response processor closes the batch when the queue runs dry, when the batch is due
// (MaxMessages held, or open for MaxAge), before any notification whose handler does not join
// the batch (so a roster, a bounce or a sign-out never overtakes what came before it), and
// when it stops. An acknowledgement joins it, and goes out after the commit. While the batch is open the response thread holds the
// message store's lock, so the user-interface thread waits at most one bounded batch for it.
//
// A message that could not be stored is dropped unshown and remembered as lost; so is every
// message of a batch whose commit failed and that then cannot be stored on its own (each is
// tried again alone, under its own message id, so a row is never written twice). Once one is
// lost, acknowledgements stop (see acknowledgementsHeld) until the next sign-in, so the server
// keeps what was lost and delivers it again on resumption, when what was stored is skipped.
//
// Threading: the response thread only. Ownership: owned by the response processor; holds the
// messages and contacts waiting for their notifications, which pass to the delegate.
#pragma once

#include "foundation/IMString.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class Contact;
class Message;
class MessageDAO;
class MessageModel;
class ResponseDelegate;

class ReceivedBatch {
public:
    static constexpr std::size_t MaxMessages = 256;
    static constexpr std::chrono::milliseconds MaxAge{4};

    ReceivedBatch();
    ~ReceivedBatch();

    ReceivedBatch(const ReceivedBatch&) = delete;
    ReceivedBatch& operator=(const ReceivedBatch&) = delete;

    // Opens the transaction on `messages` unless it is open; false when the store cannot
    // batch (it is not the process-wide message model, or the transaction would not begin):
    // the caller then stores and notifies at once.
    bool join(MessageDAO* messages);
    // A message stored inside the open transaction: its notification waits for the commit.
    void hold(ResponseDelegate* delegate, Message* message, Contact* contact);
    // Work that may only follow the commit (an acknowledgement): run after the notifications,
    // in the order held.
    void holdUntilCommitted(std::function<void()> action);
    // A received message that could not be stored.
    void lost();
    // A copy of the sender's contact last remembered in this batch when it has `bareId`, so
    // a burst from one sender reads the contact store once per batch; null otherwise.
    Contact* senderCopy(const IMString& bareId) const;
    void rememberSender(const Contact& contact);

    bool isOpen() const;
    bool isDue() const;
    // Commits, then notifies in the order the messages were held.
    void close();

    // Whether a received message was lost since the last sign-in.
    bool acknowledgementsHeld() const;
    // A new sign-in: what the server delivers from now on is counted afresh.
    void signedIn();

    // Called between the commit and the first notification of each batch that held any (for
    // tests that stop the program at that point); null for none.
    static void setAfterCommit(std::function<void()> hook);

private:
    struct Held {
        ResponseDelegate* delegate;
        Message* message;
        Contact* contact;
    };

    // After a failed commit (rolled back): each held message stored on its own; those that
    // cannot be are dropped.
    void storeOneByOne();
    void notifyHeld();
    void runAfterCommit();

    MessageModel* model_ = nullptr;
    std::chrono::steady_clock::time_point openedAt_;
    std::vector<Held> held_;
    std::vector<std::function<void()>> afterCommit_;
    std::unique_ptr<Contact> lastSender_;
    bool lost_ = false;
};
