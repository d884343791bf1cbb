#include "engine/NotificationHandler.h"

NotificationHandler::NotificationHandler() = default;

NotificationHandler::~NotificationHandler() = default;

void NotificationHandler::setResponseDelegate(ResponseDelegate* delegate) { responseDelegate_ = delegate; }

ResponseDelegate* NotificationHandler::getResponseDelegate() { return responseDelegate_; }

void NotificationHandler::setRequestController(RequestController* controller) { requestController_ = controller; }

RequestController* NotificationHandler::getRequestController() { return requestController_; }

void NotificationHandler::setReceivedBatch(ReceivedBatch* batch) { receivedBatch_ = batch; }

ReceivedBatch* NotificationHandler::getReceivedBatch() { return receivedBatch_; }

bool NotificationHandler::joinsReceivedBatch() const { return false; }

void NotificationHandler::handle(GtalkNotification*) {}
