// Told when the service reports a contact's off-the-record setting while a chat with that
// contact is open. Threading: called on the reader thread, inside the connection lock.
#pragma once

class Chat;

class ChatListener {
public:
    virtual ~ChatListener() = default;

    virtual void noSaveStatusChanged(Chat* chat, bool noSave) = 0;
};
