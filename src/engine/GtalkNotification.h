// One protocol event on its way to the response thread: a name that selects the handler and
// the protocol object it carries. The notification owns its name and its object; a handler
// that takes the object (setXMPPObject(nullptr)) owns it from then on, and whatever is still
// attached goes with the notification, so a notification dropped unhandled (posted after the
// response thread stopped, or left queued behind its stop) frees its object too. Created on a
// producer thread, handed to the response queue (which owns it from then on) and deleted on
// the response thread.
//
// Defined entirely in this header because the protocol layer, which sits below the engine,
// creates notifications: the reference upwards stays at header level and adds no link cycle.
#pragma once

#include "foundation/IMString.h"

class GtalkNotification : public Ixa::Base::Object {
public:
    GtalkNotification() = default;
    ~GtalkNotification() override
    {
        delete notificationName_;
        delete xmppObject_;
    }

    GtalkNotification(const GtalkNotification&) = delete;
    GtalkNotification& operator=(const GtalkNotification&) = delete;

    // Takes ownership of `name`, deleting the previous one.
    void setNotificationName(IMString* name)
    {
        if (name != notificationName_) {
            delete notificationName_;
            notificationName_ = name;
        }
    }
    IMString* getNotificationName() { return notificationName_; }
    // Attaches `object` without deleting the one before (a handler takes it this way).
    void setXMPPObject(Ixa::Base::Object* object) { xmppObject_ = object; }
    Ixa::Base::Object* getXMPPObject() { return xmppObject_; }

private:
    IMString* notificationName_ = nullptr;
    Ixa::Base::Object* xmppObject_ = nullptr;
};
