#include "engine/NotificationHandler.h"

NotificationHandler::NotificationHandler() = default;

NotificationHandler::~NotificationHandler() = default;

void NotificationHandler::setResponseDelegate(ResponseDelegate* delegate) { responseDelegate_ = delegate; }

ResponseDelegate* NotificationHandler::getResponseDelegate() { return responseDelegate_; }

void NotificationHandler::setRequestController(RequestController* controller) { requestController_ = controller; }

RequestController* NotificationHandler::getRequestController() { return requestController_; }

void NotificationHandler::handle(GtalkNotification*) {}
