// The response thread: hands each notification to the handler registered under its name,
// in posting order, and deletes the notification after (with its protocol object, unless the
// handler took it). A notification without a name or without a handler is deleted unseen. Owns the handler table with its keys and handlers; owned by the request controller.
#pragma once

#include "engine/EventProcessor.h"
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

protected:
    void process(Ixa::Base::Object* object) override;

private:
    IMHashMap* handlers_ = nullptr;
};
