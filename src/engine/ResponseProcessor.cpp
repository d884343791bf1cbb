#include "engine/ResponseProcessor.h"

#include "engine/GtalkNotification.h"
#include "engine/NotificationHandler.h"

ResponseProcessor::ResponseProcessor() = default;

ResponseProcessor::~ResponseProcessor() { delete handlers_; }

Ixa::result ResponseProcessor::HandleResponse(Ixa::Base::Object* notification) { return post(notification); }

void ResponseProcessor::StopResponseProcessor() { stopAndJoin(); }

void ResponseProcessor::setHandlersMap(IMHashMap* handlers)
{
    if (handlers != handlers_) {
        delete handlers_;
        handlers_ = handlers;
    }
}

ReceivedBatch* ResponseProcessor::receivedBatch() { return &batch_; }

void ResponseProcessor::OnStop() { batch_.close(); }

void ResponseProcessor::process(Ixa::Base::Object* object)
{
    auto notification = dynamic_cast<GtalkNotification*>(object);
    IMString* name = notification != nullptr ? notification->getNotificationName() : nullptr;
    auto handler = name != nullptr && handlers_ != nullptr
        ? dynamic_cast<NotificationHandler*>(handlers_->get(name)) : nullptr;
    if (handler == nullptr || !handler->joinsReceivedBatch()) {
        batch_.close();
    }
    if (handler != nullptr) {
        handler->handle(notification);
    }
    delete object;
    if (batch_.isDue() || (batch_.isOpen() && !HasPendingUserEvents())) {
        batch_.close();
    }
}
