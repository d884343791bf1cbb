// "message": a chat message from another user. It is stored as received (unread) under the
// sender's bare id, with the sender's short name (the local part) as its protocol id and the
// current time (UTC, as every stored time), and reaches the delegate with the sender's
// contact. A sender with no stored contact gets one, filed under the short name and kept off
// the buddy list. A message without sender or body is dropped.
// Threading: the response thread. Ownership: disposes of the packet; the message and contact
// pass to the delegate.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/MessagePacket.h"

class Contact;
class Message;

class TextMessageHandler : public PayloadHandler<MessagePacket> {
public:
    TextMessageHandler();
    ~TextMessageHandler() override;

protected:
    void handlePayload(MessagePacket& packet) override;

private:
    // The stored contact of the bare id, or a new stranger's contact; null without a store.
    Contact* senderContact(const IMString& bareId, const IMString& shortName);
    // The received message, stored; null without a store.
    Message* storeMessage(const IMString& body, const IMString& bareId, const IMString& shortName);
};
