// The response thread: hands each notification to the handler registered under its name,
// in posting order, and deletes the notification after (with its protocol object, unless the
// handler took it). A notification without a name or without a handler is deleted unseen.
//
// Received chat messages are stored in batches (ReceivedBatch): the batch stays open across
// consecutive notifications whose handlers file received messages, and is committed, its
// notifications posted, when the queue holds nothing more, when it is due, before any other
// notification is handled, and when the thread stops.
//
// Owns the handler table with its keys and handlers, and the batch; owned by the request
// controller.
#pragma once

#include "engine/EventProcessor.h"
#include "engine/ReceivedBatch.h"
#include "foundation/IMHashMap.h"

class ResponseProcessor : public EventProcessor {
public:
    ResponseProcessor();
    ~ResponseProcessor() override;

    // Takes ownership of `notification` (a GtalkNotification).
    Ixa::result HandleResponse(Ixa::Base::Object* notification);
    void StopResponseProcessor();
    // Installs the name-to-handler table before Start(); the processor owns it from then on.
    void setHandlersMap(IMHashMap* handlers);
    // The batch the handlers file received messages into; used only on the thread.
    ReceivedBatch* receivedBatch();

    void OnStop() override;

protected:
    void process(Ixa::Base::Object* object) override;

private:
    IMHashMap* handlers_ = nullptr;
    ReceivedBatch batch_;
};
