// One send on its way to the socket thread: the bytes to send and the completion record of
// the writer that waits for them. The record lives on the writer's stack; the request
// completes it exactly once (with the send's result, or with failure when the request is
// deleted unsent, as the socket thread's platform loop does with the events it discards when
// it ends) and forgets it in the same step, so a writer is never left waiting and never woken
// by another writer's outcome.
// Threading and ownership: created by a writer, owned by the posted event list from then on
// and sent, completed and deleted on the socket thread (or deleted by the writer when the
// post was refused). Completion happens inside the send monitor, which the writer waits on.
#pragma once

#include "platform/ByteBuffer.h"
#include "platform/Monitor.h"
#include "platform/SecureSocket.h"

class SendRequest : public Ixa::Base::Object {
public:
    // Guarded by the send monitor.
    struct Completion {
        bool done = false;
        unsigned long result = Ixa::E_FAILURE;
    };

    // Takes `data`; `completion` and `monitor` must outlive the request's completion.
    SendRequest(Ixa::Base::ByteBuffer* data, Completion* completion, Ixa::Base::Runtime::Monitor* monitor);
    ~SendRequest() override;

    SendRequest(const SendRequest&) = delete;
    SendRequest& operator=(const SendRequest&) = delete;

    // Sends the bytes on `socket` (none: failure) and completes with the outcome, folded into
    // 0 or 0x80000000.
    void sendOn(Ixa::Net::Sockets::SecureSocket* socket);

private:
    void complete(unsigned long result);

    Ixa::Base::ByteBuffer* data_;
    Completion* completion_;
    Ixa::Base::Runtime::Monitor* monitor_;
};
