// The base of the handlers that turn one kind of notification into store updates and
// delegate callbacks. The controller builds one per notification name when it starts and the
// response processor owns them; handle() runs on the response thread. Controller and
// delegate are borrowed.
#pragma once

#include "engine/GtalkNotification.h"

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

    virtual void handle(GtalkNotification* notification);

private:
    ResponseDelegate* responseDelegate_ = nullptr;
    RequestController* requestController_ = nullptr;
};
