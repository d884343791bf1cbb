// A request on its way to the request thread. The queue owns a command once it is handed
// over; the request thread runs executeCommand once and deletes the command right after.
#pragma once

#include "platform/Object.h"

class Command : public Ixa::Base::Object {
public:
    Command();
    ~Command() override;

    virtual void executeCommand(unsigned long* result);
};
