// The base of the handlers that turn one kind of notification into store updates and
// delegate callbacks. The controller builds one per notification name when it starts and the
// response processor owns them; handle() runs on the response thread. Controller, delegate
// and the response processor's batch of received messages are borrowed.
//
// A handler that files received messages into the batch says so (joinsReceivedBatch);
// before any other handler runs, the processor commits the batch and posts its notifications.
#pragma once

#include "engine/GtalkNotification.h"

class ReceivedBatch;
class RequestController;
class ResponseDelegate;

class NotificationHandler : public Ixa::Base::Object {
public:
    NotificationHandler();
    ~NotificationHandler() override;

    void setResponseDelegate(ResponseDelegate* delegate);
    ResponseDelegate* getResponseDelegate();
    void setRequestController(RequestController* controller);
    RequestController* getRequestController();
    void setReceivedBatch(ReceivedBatch* batch);
    // Null when the handler runs outside a response processor.
    ReceivedBatch* getReceivedBatch();

    virtual bool joinsReceivedBatch() const;

    virtual void handle(GtalkNotification* notification);

private:
    ResponseDelegate* responseDelegate_ = nullptr;
    RequestController* requestController_ = nullptr;
    ReceivedBatch* receivedBatch_ = nullptr;
};
