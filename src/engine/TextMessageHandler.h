// "message": a chat message from another user, filed (ReceivedMessageFiler, in the received
// batch) with the current time (UTC, as every stored time), its own id, and the archive id
// that the user's own server gave it; a stanza id given by anyone else names nothing. A
// message already stored is skipped, and one without sender or body is dropped.
// Threading: the response thread. Ownership: disposes of the packet; the message and contact
// pass to the delegate.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/MessagePacket.h"

class TextMessageHandler : public PayloadHandler<MessagePacket> {
public:
    TextMessageHandler();
    ~TextMessageHandler() override;

    bool joinsReceivedBatch() const override;

protected:
    void handlePayload(MessagePacket& packet) override;
};
