// Sends one chat message to its recipient (the message's other-user id, completed in place
// with the default domain) under the message's own id, and reports the outcome to the controller's response delegate:
// OnMessageSentToChat, or OnMessageSentToChatFailed (no text, code 0).
//
// A message that could not be handed to the socket at all (not signed in, no chat manager,
// no writer) is reported failed, not sent: the send result starts as the failure value, and
// only a send that was tried gives its own result. While the reconnector is bringing the
// session back, or when the send failed on a session that stands (its loss is on its way),
// the message is held by the reconnector instead and goes out once the session is back.
//
// Ownership: the command holds the message until it hands it on with the outcome callback
// (the receiver owns it from then on); a command deleted unrun deletes it. The chat it uses
// belongs to the connection's chat manager. Created on the caller's thread, run and deleted
// on the request thread.
#pragma once

#include "engine/BaseCommand.h"
#include "foundation/IMString.h"

class Chat;
class Message;

class SendChatCommand : public BaseCommand {
public:
    SendChatCommand();
    ~SendChatCommand() override;

    SendChatCommand(const SendChatCommand&) = delete;
    SendChatCommand& operator=(const SendChatCommand&) = delete;

    // Takes `message`.
    void setMessage(Message* message);
    Message* getMessage();

    void executeCommand(unsigned long* result) override;

private:
    // The recipient's chat, made on the chat manager when it has none yet; null without one.
    Chat* chatWith(const IMString& recipient);

    Message* message_ = nullptr;
    Chat* chat_ = nullptr;
};
