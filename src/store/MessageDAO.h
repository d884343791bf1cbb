// The message store as the protocol engine sees it. Results are owned by the caller.
// Threading: implementations are safe from the request and the response thread.
// Not deletable through this interface: the model owns its own lifetime.
#pragma once

#include "store/Message.h"

class MessageDAO {
public:
    virtual Message* CreateMessage() = 0;
    virtual bool SaveOrUpdate(Message* message) = 0;
    virtual Message* FindMessageById(long long messageId) = 0;
    // The received message stored under the archive id, or from `sender` (a bare id) with the
    // stanza id on a row that, when an archive id is given, has none; null when there is none.
    // Empty ids match nothing.
    virtual Message* FindReceivedMessage(const IMString& sender, const IMString& stanzaId, const IMString& archiveId) = 0;
    // The archive id of the received message stored last that has one; empty when none has.
    virtual IMString GetLastArchiveId() = 0;
    // The time stamp of the newest received message; false when none is stored.
    virtual bool GetLastReceivedTime(IMDateTime& time) = 0;

protected:
    ~MessageDAO() = default;
};
