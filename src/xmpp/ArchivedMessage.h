// One result of an archive query: the archive's id for the message, the query it answers,
// the address of whoever sent the result (the user's own server leaves it out or puts the
// user's bare id), the time the archive recorded (the delay stamp, as sent), and the message
// itself as it was exchanged then. The archive manager adds the time the result cannot be
// older than (see ArchiveManager).
// Ownership: the result owns its texts and its message. Threading: used by one thread at a
// time (read on the reader thread, then handed to the response thread).
#pragma once

#include "xmpp/MessagePacket.h"

class ArchivedMessage : public Ixa::Base::Object {
public:
    ArchivedMessage();
    ~ArchivedMessage() override;

    ArchivedMessage(const ArchivedMessage&) = delete;
    ArchivedMessage& operator=(const ArchivedMessage&) = delete;

    IMString* getSource();
    void setSource(IMString* source);
    IMString* getQueryId();
    void setQueryId(IMString* queryId);
    IMString* getArchiveId();
    void setArchiveId(IMString* archiveId);
    IMString* getStamp();
    void setStamp(IMString* stamp);
    // Null until set.
    MessagePacket* getMessage();
    void setMessage(MessagePacket* message);

private:
    IMString* source_ = nullptr;
    IMString* queryId_ = nullptr;
    IMString* archiveId_ = nullptr;
    IMString* stamp_ = nullptr;
    MessagePacket* message_ = nullptr;
};
