// "myDisplayName": the user's settings on the service; their display name (when they carry
// one) reaches the delegate.
// Threading: the response thread. Ownership: disposes of the settings.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/UserSettings.h"

class SelfDisplayNameHandler : public PayloadHandler<UserSettings> {
public:
    SelfDisplayNameHandler();
    ~SelfDisplayNameHandler() override;

protected:
    void handlePayload(UserSettings& settings) override;
};
