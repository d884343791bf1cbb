#include "xmpp/NotificationPoster.h"

#include "engine/RequestController.h"

void NotificationPoster::post(RequestController* controller, const char* name, Ixa::Base::Object* object)
{
    if (controller == nullptr) {
        delete object;
        return;
    }
    auto notification = new GtalkNotification();
    notification->setNotificationName(new IMString(name));
    notification->setXMPPObject(object);
    controller->addToResponseQueue(notification);
}
