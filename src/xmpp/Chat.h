// A conversation with one participant: sends chat messages to that participant (escaped
// body, optional thread, the off-the-record flag) through its chat manager.
// Ownership: a chat made on a chat manager is registered with it and belongs to it from then
// on (it replaces, and deletes, an earlier chat with the same participant); one made without
// a manager belongs to its creator. The chat owns its thread and participant strings (copies
// of the arguments) and borrows its listener.
// Threading: sendMessage from the request thread; the listener may be set on any thread and
// is read on the reader thread.
#pragma once

#include "foundation/IMString.h"
#include "xmpp/ChatListener.h"

#include <atomic>

class ChatManager;

class Chat : public Ixa::Base::Object {
public:
    Chat(ChatManager* manager, IMString* thread, IMString* participant, bool offTheRecord);
    ~Chat() override;

    Chat(const Chat&) = delete;
    Chat& operator=(const Chat&) = delete;

    // `*result` receives the send result; it keeps what the caller put there when nothing
    // could be sent. `id` is the stanza's id, by which an error reply names the message.
    // Text and id stay with the caller.
    void sendMessage(IMString* text, const IMString* id, unsigned long* result);

    IMString* getThread();
    IMString* getParticipant();
    bool isOffTheRecord() const;
    ChatListener* getListener();
    void setListener(ChatListener* listener);

private:
    ChatManager* manager_;
    IMString* thread_;
    IMString* participant_;
    std::atomic<ChatListener*> listener_{nullptr};
    bool offTheRecord_;
};
