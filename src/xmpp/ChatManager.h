// The user's chats and the contacts' off-the-record settings of the service's no-save
// extension ("google:nosave"). Chats made on the manager are registered by participant and
// owned by it; they outlive a clean (a command may still hold one) and go with the manager.
// Threading: init, addChat and sendMessage from the request thread, processNoSaveState on
// the reader thread inside the connection lock; the maps are guarded by the manager's own
// lock. Ownership: as SubManager; the manager owns both maps with their keys and values.
#pragma once

#include "foundation/IMHashMap.h"
#include "xmpp/MessagePacket.h"
#include "xmpp/NoSaveState.h"
#include "xmpp/SubManager.h"

#include <mutex>

class Chat;

class ChatManager : public SubManager {
public:
    explicit ChatManager(Connection* connection);
    ~ChatManager() override;

    // Forgets the off-the-record settings and asks the service for them, unless the server has
    // refused them before.
    void init();
    // Takes `chat`; an earlier chat with the same participant is deleted.
    void addChat(Chat* chat);
    // The registered chat with the participant, or null.
    Chat* getChat(IMString* participant);
    // Takes `message`.
    void sendMessage(MessagePacket* message, unsigned long* result);
    // Only for a result: records each contact's setting and tells its open chat. The state
    // stays with the caller.
    void processNoSaveState(NoSaveState* state);
    // Null for a contact whose setting is not known; otherwise a box owned by the manager.
    IMBoolean* getNoSaveStatus(IMString* contact);

private:
    std::mutex lock_;
    IMHashMap* chats_;
    IMHashMap* noSaveStatus_;
};
