// "streamHandled": everything the server sent before its request for an acknowledgement has
// now been handled (this handler runs behind those stanzas' notifications, and they commit
// to the stores as they run). Received messages still in the open batch (ReceivedBatch) are
// not committed yet, so the acknowledgement waits for the batch's commit; it joins the batch
// rather than end it, so the reader's own requests every few dozen stanzas do not cut a burst
// into small batches. After a received message could not be stored, nothing is acknowledged
// until the next sign-in, so the server keeps it.
// Acknowledges the count to the server and stores it with the session id, so that a later
// connection, or a later run after the program was killed, resumes from what was really
// kept. A count from a session that has since ended is dropped.
// Threading: the response thread. Ownership: disposes of the HandledCount.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/HandledCount.h"

#include <cstdint>

class StreamHandledHandler : public PayloadHandler<HandledCount> {
public:
    bool joinsReceivedBatch() const override;

protected:
    void handlePayload(HandledCount& handled) override;

private:
    void acknowledge(std::uint32_t count, std::uint64_t epoch);
};
