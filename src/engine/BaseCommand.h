// The base of every concrete command: it knows the controller that queued it (and through it
// the connection, the stores and the delegates) and, for the one command that needs its own,
// a response delegate. Both are borrowed. Created on the caller's thread, run and deleted on
// the request thread.
#pragma once

#include "engine/Command.h"

class RequestController;
class ResponseDelegate;

class BaseCommand : public Command {
public:
    BaseCommand();
    ~BaseCommand() override;

    void setRequestController(RequestController* controller);
    RequestController* getRequestController();
    void setResponseDelegate(ResponseDelegate* delegate);
    ResponseDelegate* getResponseDelegate();

    void executeCommand(unsigned long* result) override;
    virtual bool verifyConnectionState();
    virtual bool shouldDelay();

private:
    RequestController* requestController_ = nullptr;
    ResponseDelegate* responseDelegate_ = nullptr;
};
