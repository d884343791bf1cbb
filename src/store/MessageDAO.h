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

protected:
    ~MessageDAO() = default;
};
