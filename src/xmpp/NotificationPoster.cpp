#include "xmpp/NotificationPoster.h"

#include "engine/RequestController.h"

namespace {

void enqueue(RequestController* controller, IMString* name, Ixa::Base::Object* object)
{
    auto notification = new GtalkNotification();
    notification->setNotificationName(name);
    notification->setXMPPObject(object);
    if (controller != nullptr) {
        controller->addToResponseQueue(notification);
    } else {
        delete notification;
    }
}

}  // namespace

void NotificationPoster::post(RequestController* controller, const char* name, Ixa::Base::Object* object)
{
    enqueue(controller, new IMString(name), object);
}

void NotificationPoster::dispose(RequestController* controller, Ixa::Base::Object* object)
{
    enqueue(controller, nullptr, object);
}
