// "streamHandled": everything the server sent before its request for an acknowledgement has
// now been handled (this handler runs behind those stanzas' notifications, and they commit
// to the stores as they run). Acknowledges the count to the server and stores it with the
// session id, so that a later connection, or a later run after the program was killed,
// resumes from what was really kept. A count from a session that has since ended is dropped.
// Threading: the response thread. Ownership: disposes of the HandledCount.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/HandledCount.h"

class StreamHandledHandler : public PayloadHandler<HandledCount> {
protected:
    void handlePayload(HandledCount& handled) override;
};
