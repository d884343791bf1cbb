// "messageError": a message of type error that answers one of the user's chat messages. Its id
// is the id of the stored message it bounced (SendChatCommand sends that id with the chat), so
// the message is reported failed exactly as one that could not be sent, and the chat offers
// to send it again. An error that names no stored outgoing message, or comes from another
// address than the one the message went to, changes nothing.
// Threading: the response thread. Ownership: disposes of the packet; the failed message passes
// to the delegate.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/MessagePacket.h"

class Message;

class MessageBounceHandler : public PayloadHandler<MessagePacket> {
public:
    MessageBounceHandler();
    ~MessageBounceHandler() override;

protected:
    void handlePayload(MessagePacket& packet) override;

private:
    // The stored outgoing message the bounce names, or null.
    Message* bouncedMessage(MessagePacket& packet);
};
