#include "app/ModelUpdateEvent.h"

ModelUpdateEvent::ModelUpdateEvent(const ModelNotification& notification, IMScreen* screen)
    : notification_(notification)
    , screen_(screen)
{
}

ModelUpdateEvent::~ModelUpdateEvent() = default;

ModelNotification& ModelUpdateEvent::GetNotification() { return notification_; }

IMScreen* ModelUpdateEvent::GetScreen() const { return screen_; }
