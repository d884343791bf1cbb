// "disconnect": nothing posts it; when something does, the handler only disposes of the object.
// Threading: the response thread.
#pragma once

#include "engine/PayloadHandler.h"

class DisconnectHandler : public PayloadHandler<Ixa::Base::Object> {
public:
    DisconnectHandler();
    ~DisconnectHandler() override;

protected:
    void handlePayload(Ixa::Base::Object& object) override;
};
