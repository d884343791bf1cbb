#include "engine/GtalkNotification.h"

GtalkNotification::GtalkNotification() = default;

GtalkNotification::~GtalkNotification() { delete notificationName_; }

void GtalkNotification::setNotificationName(IMString* name)
{
    if (name != notificationName_) {
        delete notificationName_;
        notificationName_ = name;
    }
}

IMString* GtalkNotification::getNotificationName() { return notificationName_; }

void GtalkNotification::setXMPPObject(Ixa::Base::Object* object) { xmppObject_ = object; }

Ixa::Base::Object* GtalkNotification::getXMPPObject() { return xmppObject_; }
