// "sharedstatus": the user's own status as the service shares it between the user's clients,
// turned into a PresenceStatus for the delegate: invisible → -1 with the invisible flag;
// otherwise by the show text: none or "default" → 0, "dnd" → 2, "away" → 9, "xa" (any case)
// → -1, anything else → -2; the status message when there is one.
// Threading: the response thread. Ownership: disposes of the shared status.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/SharedStatusMessage.h"

class SharedStatusMessageHandler : public PayloadHandler<SharedStatusMessage> {
public:
    SharedStatusMessageHandler();
    ~SharedStatusMessageHandler() override;

protected:
    void handlePayload(SharedStatusMessage& shared) override;

private:
    static int codeOfShow(const IMString* show);
    void followInvisibility(bool invisible);
};
