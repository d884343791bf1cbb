// One protocol event on its way to the response thread: a name that selects the handler and
// the protocol object it carries. The notification owns its name; the object belongs to
// whoever handles it. Created on a producer thread, handed to the response queue (which owns
// it from then on) and deleted on the response thread.
#pragma once

#include "foundation/IMString.h"

class GtalkNotification : public Ixa::Base::Object {
public:
    GtalkNotification();
    ~GtalkNotification() override;

    GtalkNotification(const GtalkNotification&) = delete;
    GtalkNotification& operator=(const GtalkNotification&) = delete;

    // Takes ownership of `name`, deleting the previous one.
    void setNotificationName(IMString* name);
    IMString* getNotificationName();
    void setXMPPObject(Ixa::Base::Object* object);
    Ixa::Base::Object* getXMPPObject();

private:
    IMString* notificationName_ = nullptr;
    Ixa::Base::Object* xmppObject_ = nullptr;
};
