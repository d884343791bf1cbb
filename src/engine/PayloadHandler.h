// The shape every handler but the connection-error one shares: the notification's protocol
// object belongs to the handler, which reads it when it is of the expected kind and disposes
// of it in every case (also when it is of another kind). A notification without an object
// does nothing.
// Threading: handle runs on the response thread. Ownership: as NotificationHandler.
#pragma once

#include "engine/NotificationHandler.h"

template <typename Payload>
class PayloadHandler : public NotificationHandler {
public:
    void handle(GtalkNotification* notification) override
    {
        Ixa::Base::Object* object = notification != nullptr ? notification->getXMPPObject() : nullptr;
        if (object == nullptr) {
            return;
        }
        notification->setXMPPObject(nullptr);
        if (auto payload = dynamic_cast<Payload*>(object)) {
            handlePayload(*payload);
        }
        delete object;
    }

protected:
    // The payload stays with the caller, which deletes it right after.
    virtual void handlePayload(Payload& payload) = 0;
};
