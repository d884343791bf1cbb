// Files a chat message received from another user, live or fetched from the archive: it is
// stored as received (unread) under the sender's bare id, with the sender's short name (the
// local part) as its protocol id, and reaches the delegate with the sender's contact. A
// sender with no stored contact gets one, filed under the bare id (the one id of the
// conversation) with the name a roster contact would get, shown by that whole id, and kept
// off the buddy list.
//
// A message the store already holds is skipped, delegate and all: one with the same archive
// id, or, from the same sender, with the same stanza id (the sender's own id of the message)
// on a row that has no archive id of its own. A session resumed from an older acknowledgement
// has the server deliver again what was already handled, and an archive catch-up overlaps
// the messages the server held offline, so the same message can arrive twice.
//
// With a batch, the message is stored inside the batch's transaction and its notification
// waits for the commit (ReceivedBatch); a message that cannot be stored is never shown, and the
// batch remembers it as lost. Without one (or with a store that cannot batch), it is stored and
// shown at once.
//
// Threading: the response thread (the stores are safe from it). Ownership: stateless; the
// stored message and contact pass to the delegate.
#pragma once

#include "foundation/IMDateTime.h"
#include "foundation/IMString.h"

class Contact;
class ReceivedBatch;
class RequestController;
class ResponseDelegate;

class ReceivedMessageFiler {
public:
    struct Received {
        IMString sender;  // a full or bare id
        IMString body;
        IMString stanzaId;   // empty when the message had none
        IMString archiveId;  // empty when none is trusted
        IMDateTime time;     // UTC
    };

    // Answers whether the message was new (and stored, when there is a store). When it was
    // not, `received.time` becomes the time the message is stored with. `batch` may be null.
    static bool file(RequestController* controller, ResponseDelegate* delegate, Received& received,
        ReceivedBatch* batch);

private:
    static Contact* senderContact(RequestController* controller, const IMString& bareId);
};
