// "archivedMessage": one result of the archive catch-up, accepted by the archive manager
// (from the user's own server, for a page the client asked). A chat message from another
// user is filed like a live one (ReceivedMessageFiler, in the received batch) under its archive id, with the time
// the archive recorded (the delay stamp; the current time when it has none or cannot be
// read), but never older than the catch-up's start, nor than the result from the same user
// before it in the archive. That one may have come live, in a later session, stamped with the
// client's own clock to the millisecond, where the archive's stamp has whole seconds: a
// message in the gap is filed after it, not before it.
// A message the user sent from another client is skipped: it would show in the chat as the
// other party's, and the catch-up is about what the user missed. Results reach this handler
// in stream order, like live messages, so the order of a conversation is kept.
// Threading: the response thread. Ownership: disposes of the result.
#pragma once

#include "engine/PayloadHandler.h"
#include "foundation/IMDateTime.h"
#include "xmpp/ArchivedMessage.h"

class ArchivedMessageHandler : public PayloadHandler<ArchivedMessage> {
public:
    ArchivedMessageHandler();
    ~ArchivedMessageHandler() override;

    // Reads an XEP-0082 date-time ("2024-03-05T14:07:09Z", with optional fraction and
    // "Z" or a "+hh:mm"/"-hh:mm" offset) into UTC; false for anything else.
    static bool readStamp(const IMString& stamp, IMDateTime& time);

    bool joinsReceivedBatch() const override;

protected:
    void handlePayload(ArchivedMessage& result) override;
};
