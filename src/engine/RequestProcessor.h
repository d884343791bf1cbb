// The request thread: runs each command handed to it once, in posting order, and deletes it
// right after. Commands may block on the network and so hold up the ones behind them.
// Owned by the request controller, which starts and stops it.
#pragma once

#include "engine/EventProcessor.h"

class RequestProcessor : public EventProcessor {
public:
    RequestProcessor();
    ~RequestProcessor() override;

    // Takes ownership of `command` (a BaseCommand).
    Ixa::result HandleCommand(Ixa::Base::Object* command);
    void StopRequestProcessor();

protected:
    void process(Ixa::Base::Object* object) override;
};
